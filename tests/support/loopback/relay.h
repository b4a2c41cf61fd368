#pragma once

#include "tests/support/loopback/connection.h"

namespace netprobe::testing {

// Copies bytes both ways between two connections (first whatever either has buffered) until
// one of them closes, the server stops or `limit` passes.
void Relay(Connection& a, Connection& b, Millis limit);

}  // namespace netprobe::testing
