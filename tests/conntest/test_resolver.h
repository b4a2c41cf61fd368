#pragma once

namespace netprobe::testing {

// A name that the tests' own resolver answers "no such name" for without asking any DNS
// server. Where the tests have no resolver of their own, TestResolverInstalled() is false.
inline constexpr char kUnresolvableName[] = "unresolvable.netprobe.invalid";
bool TestResolverInstalled();

// A name whose resolution stands for a name server that never answers: it blocks until
// ReleaseBlockedResolutions() (at the latest after 10 s) and then fails. Only where
// TestResolverInstalled() is true.
inline constexpr char kBlockingName[] = "blocking.netprobe.invalid";
// The resolutions of kBlockingName blocked at this moment.
int BlockedResolutions();
// Lets every blocked resolution fail now and waits (at most a few seconds) until they have.
void ReleaseBlockedResolutions();

}  // namespace netprobe::testing
