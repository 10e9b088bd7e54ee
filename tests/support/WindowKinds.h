#pragma once

#include "common/windowKinds.h"

// The tests reach the program's one list of window kinds unqualified.
namespace tivoro::test {
using tivoro::openWindowOfKind;
using tivoro::windowKindNames;
} // namespace tivoro::test
