#pragma once

namespace netprobe::testing {

// A name that the tests' own resolver answers "no such name" for without asking any DNS
// server. Where the tests have no resolver of their own, TestResolverInstalled() is false.
inline constexpr char kUnresolvableName[] = "unresolvable.netprobe.invalid";
bool TestResolverInstalled();

}  // namespace netprobe::testing
