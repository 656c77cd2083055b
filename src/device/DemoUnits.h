// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class EmulatedAccess;

// The demo's two units, shared by the demo programmer and `tarvenpad --demo`: serials 4172
// and 12935, unit 1 holding a sample configuration, unit 2 as it left the factory.
void SetUpDemoUnits(EmulatedAccess& access);
