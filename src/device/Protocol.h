// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// What the encoder understands, in one place for the programs, the udev helper and the test
// firmware alike, so plain C++: every request is an output report whose first byte is the
// report ID and whose second is the command.
namespace Protocol {

// The report the encoder reads its requests from and answers on.
inline constexpr std::uint8_t ReportId = 2;
// A request or an answer carries this many bytes after the report ID; a unit must declare
// output report ReportId at least this long, and a shorter input report is no answer.
inline constexpr int PayloadBytes = 5;
// Stores one byte of the configuration image: ReportId, StoreCommand, 0, location, value, 0.
inline constexpr std::uint8_t StoreCommand = 0x81;
// Fetches one byte: ReportId, FetchCommand, 0, location, 0, 0; the value comes back in the
// reply's fifth byte.
inline constexpr std::uint8_t FetchCommand = 0x82;
// Asks for the unit's four serial characters, in the longer serial buffer.
inline constexpr std::uint8_t SerialCommand = 0x84;
// A store to this location with ClosingValue ends a write: the unit keeps what it received.
inline constexpr std::uint8_t ClosingLocation = 0xFE;
inline constexpr std::uint8_t ClosingValue = 0x9A;
// The serial request and its reply travel in buffers of this length.
inline constexpr int SerialBufferLength = 33;

} // namespace Protocol
