// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// What the encoder understands, in one place: every request is an output report whose first
// byte is the report ID and whose second is the command.
namespace Protocol {

// The report the encoder reads its requests from and answers on.
inline constexpr quint8 ReportId = 2;
// Stores one byte of the configuration image: ReportId, StoreCommand, 0, location, value, 0.
inline constexpr quint8 StoreCommand = 0x81;
// Fetches one byte: ReportId, FetchCommand, 0, location, 0, 0; the value comes back in the
// reply's fifth byte.
inline constexpr quint8 FetchCommand = 0x82;
// Asks for the unit's four serial characters, in the longer serial buffer.
inline constexpr quint8 SerialCommand = 0x84;
// A store to this location with ClosingValue ends a write: the unit keeps what it received.
inline constexpr quint8 ClosingLocation = 0xFE;
inline constexpr quint8 ClosingValue = 0x9A;
// The serial request and its reply travel in buffers of this length.
inline constexpr int SerialBufferLength = 33;

} // namespace Protocol
