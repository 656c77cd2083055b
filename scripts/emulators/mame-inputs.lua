-- SPDX-License-Identifier: GPL-3.0-or-later
-- Run by MAME with -autoboot_script. First gives the ports named in TARVENPAD_MAME_SET
-- ("PORT=TOKENS;PORT=TOKENS") new standard sequences, as a user would in MAME's menu, so
-- that MAME saves them in its own default.cfg on exit. Then writes every port type's
-- standard sequence, as MAME's input system holds it, to the file TARVENPAD_MAME_DUMP:
-- one "PORT<tab>TOKENS" line each. A token MAME does not know is not in what it holds.
local ioport = manager.machine.ioport
local input = manager.machine.input

local set = {}
for port, tokens in string.gmatch(os.getenv("TARVENPAD_MAME_SET") or "", "([^=;]+)=([^;]*)") do
  set[port] = tokens
end

local out = assert(io.open(os.getenv("TARVENPAD_MAME_DUMP"), "w"))
for _, t in pairs(ioport.types) do
  if t.token then
    if set[t.token] then
      ioport:set_type_seq(t.type, t.player, "standard", input:seq_from_tokens(set[t.token]))
    end
    out:write(t.token, "\t", input:seq_to_tokens(ioport:type_seq(t.type, t.player, "standard")), "\n")
  end
end
out:close()
