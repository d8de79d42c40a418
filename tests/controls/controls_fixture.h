#pragma once

// The headless application fixture under the name the control tests first
// gave it (tests written against it keep building); new tests include
// tests/support/headless_app.h.

#include "tests/support/headless_app.h"

namespace pellamo::test {

using ControlsFixture = HeadlessAppFixture;

}
