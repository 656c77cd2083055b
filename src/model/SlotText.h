// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "model/Configuration.h"

struct KeySlot;
struct SlotRole;

// The texts here are translated (context "SlotText"), except the File ones, which stay in
// English for documents that scripts read.

// "Input 7" for slot 6, "Rotary 3B" for slot 41.
QString SlotName(int slot);
// The label a slot's row draws: "Input 1" ... "Input 36", "Rotary  1A" ... "Rotary  5B",
// with two blanks after the word Rotary.
QString SlotLabel(int slot);
// SlotLabel's English text as the JSON document's "label" carries it, never translated.
QString SlotFileLabel(int slot);
// What a slot sends, as plain text: "Esc", "Control + Alt + %5", "Left Mouse"; a code we do
// not offer reads "code 102". A slot without a key sends nothing and reads "Not Used",
// whatever modifiers are ticked beside it.
QString AssignmentText(const KeySlot& slot);
// What a slot holds, in the same words, its modifiers named even without a key ("Shift +
// Not Used"): for lists of differences, where those bytes count.
QString SettingText(const KeySlot& slot);
// A flag as its check box names it: "Control", "Shift", "Alt", "Repeat".
QString FlagName(Configuration::Flag flag);
// How an option's state reads in lists of differences: "on" or "off".
QString OnOffText(bool on);
// An option as its check box names it: "Reverse X Axis" ... "Relay-8 on AUX".
QString OptionName(Configuration::Option option);
// OptionName's English text, never translated.
QString OptionFileName(Configuration::Option option);
// What a slot is for, as one text: "Player 1 Button 1 · Jump", "Player 1 Button 1", "Jump",
// or empty when it has neither a role nor a label.
QString RoleText(const SlotRole& role);
// A slot by name and, where it has one, its role (or else its label): "Input 7 · Player 1
// Button 1", "Input 8".
QString SlotNameWithRole(const Configuration& config, int slot);
