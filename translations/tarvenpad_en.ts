<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>AboutWindow</name>
    <message>
        <source>About TARVEN-PAD Programmer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quelmark Electronics, Inc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TARVEN-PAD Programmer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Version 30790W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AuxOptionsBox</name>
    <message>
        <source>Trackball/AUX Controls:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BannerWidget</name>
    <message>
        <source>QUELMARK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ELECTRONICS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TARVEN-PAD Configuration Program</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChooseFileToWrite</name>
    <message>
        <source>&quot;%1&quot; already exists.
Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLineOptions</name>
    <message>
        <source>the unit to use (1 to 4), as listed by &apos;units&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>write every attached unit, all at the same time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>with write: first read each unit into the .TPD file PATTERN, with
{unit} and {serial} replaced; a unit whose backup fails is not written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>print JSON for scripts instead of text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>with --emulate: fail:N makes the N-th exchange fail, drop:UNIT:LOCATION
makes the unit lose what is written to LOCATION (1 to 94); for testing scripts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>print every exchange with a unit to standard error: the unit, then
the request and the reply bytes in hex</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>list the attached units: number and serial number, or
&apos;-&apos; and the reason when this user may not open one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>print the configuration in FILE (.TPD or JSON)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>write the configuration of a JSON document as a .TPD file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>write the configuration of a .TPD file as JSON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>write FILE (.TPD or JSON) into a unit, read it back and
compare; with several units attached, name one or use --all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read a unit&apos;s configuration into a .TPD file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>print this help, or the help of one command</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (see tarvenpad --help)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--unit takes a unit number from 1 to 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--emulate takes a number of units from 0 to 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--demo has two units; leave out --emulate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--emulate-fault takes fail:N or drop:UNIT:LOCATION</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--backup takes a file name pattern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no command given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage: tarvenpad COMMAND [ARGUMENTS] [OPTIONS]

Programs TARVEN-PAD keyboard encoders and converts their configuration files.

Commands:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
A FILE or OUT of - is standard input or output. Options take their value as
--unit 2 or --unit=2, before or after the arguments; -- ends the options.

Options:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage: tarvenpad %1

%2.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Options:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>with preset: list the presets, each by the name to give and
its title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>draw the legend sheet of FILE (.TPD or JSON) into OUT: PDF, SVG
or PNG by its extension; an OUT of - is PDF on standard output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>write the preset NAME as a configuration: JSON when OUT ends in
.json, a .TPD file otherwise</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the unit with this serial number, as listed by &apos;units&apos;; it names
the same unit whatever the order it was plugged in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>with watch: append each unit&apos;s outcome to the CSV file PATH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wait for units and program each one plugged in with FILE, unless
it holds FILE already; one line per unit; Ctrl+C ends it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--serial takes a serial number as &apos;units&apos; lists it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--log takes a file name</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>unknown option(s) %1</source>
        <translation>
            <numerusform>unknown option %1</numerusform>
            <numerusform>unknown options %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 do(es) not apply to &apos;%2&apos; (see tarvenpad help %2)</source>
        <translation>
            <numerusform>%1 does not apply to &apos;%2&apos; (see tarvenpad help %2)</numerusform>
            <numerusform>%1 do not apply to &apos;%2&apos; (see tarvenpad help %2)</numerusform>
        </translation>
    </message>
    <message>
        <source>use N emulated units in their factory state instead of hardware,
afresh in each run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>use the demo programmer&apos;s two emulated units (serials 4172 and
12935); unit 1 holds its sample configuration. They start afresh
in each run: what one run writes, the next does not find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>with restore: forget the kept configuration instead of putting it
back, as when the unit holds a newer one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>put back the configuration that identify kept for a unit it could
not restore (killed, or the unit pulled out); only while the unit
still holds identify&apos;s temporary one, never over a newer one</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 is(are) extra</source>
        <translation>
            <numerusform>%1 is extra</numerusform>
            <numerusform>%1 are extra</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 is(are) missing</source>
        <translation>
            <numerusform>%1 is missing</numerusform>
            <numerusform>%1 are missing</numerusform>
        </translation>
    </message>
    <message>
        <source> and </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 (see tarvenpad help %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--version takes no arguments: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--emulate and --demo do not apply: identify reads the presses from
the unit&apos;s own keyboard, which emulated units do not have. To try
Identify Inputs without a unit, use the Tools menu of
tarvenpad-programmer-demo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>write a .TPD file even over one whose panel roles cannot be read
(damaged, or from a newer version), replacing them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>with identify: ask for each control of SET in turn (1p6, 2p6, 2p8
or 4p4: players and buttons) and learn the input it is from its press</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>with identify --roles: write the unit&apos;s configuration with the
roles learnt to FILE: JSON when it ends in .json, a .TPD file
otherwise</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--roles takes a set: 1p6, 2p6, 2p8 or 4p4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--roles SET and --output FILE go together</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--json does not go with --roles: the roles go to FILE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>compare a unit with FILE without writing anything, or FILE with
the file OTHER: each slot that differs, the options and, between
files, the panel roles; exit 7 when they differ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With OTHER no unit is read, and --unit, --serial, --emulate, --demo
and --trace do not apply. A unit holds no panel roles: they are
compared between files only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>say which input each press on the panel comes from, one line per
press; a temporary configuration goes on the unit when needed and
its own comes back when Ctrl+C ends it. With --roles, ask for
each control in turn and write the unit&apos;s configuration with the
roles learnt to FILE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>with keys: where the keys come from: mame or retroarch for the
emulator&apos;s own keys as it ships, or a file: a retroarch.cfg, or a
MAME default.cfg or controller file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>with retroarch: put the binds into the existing retroarch.cfg OUT,
keeping its other lines, after copying it to OUT.bak (OUT.bak2
and so on when that is taken)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--from takes mame, retroarch or a file name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  -h, --help    print this help
  --version     print the version

Exit status:
  0  success
  2  wrong usage (also: several units attached and none chosen)
  3  a file that cannot be read or is not a configuration
  4  a file that cannot be written
  5  no unit found
  6  an I/O error while talking to a unit
  7  the configuration read back from a unit differs from what was written;
     with diff: the unit differs from FILE
  8  a unit is attached but this user may not open it (see the udev rule)
  9  written, but with warnings: something could not be said, see stderr
With --all the worst outcome wins: 7, then 6, 8, 5 and 4.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>write a MAME controller file from the panel roles in FILE: for
each role, the keys the encoder sends for it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FILE is a .TPD file or JSON. MAME reads the file from a folder on
its ctrlrpath (such as ~/.mame/ctrlr) when started as
mame -ctrlr NAME, NAME being the file&apos;s name without .cfg, or
with ctrlr NAME in mame.ini. What MAME cannot be told is a
warning, and the status is then 9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>write RetroArch key binds from the panel roles in FILE, for
retroarch --appendconfig; with --merge, put them into the
retroarch.cfg OUT, keeping its other lines and the old file as a
backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FILE is a .TPD file or JSON. The buttons are bound as in
libretro&apos;s arcade cores: Button 1 to 8 are the RetroPad&apos;s B, A,
Y, X, L, R, L2 and R2, Start is start and Coin is select; Pause,
Menu and Exit are the pause, menu and exit hotkeys. Service has
no RetroArch control. What RetroArch cannot be told is a warning,
and the status is then 9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>set the key of every input that has a panel role to what an
emulator expects, and write the result to OUT (.TPD or JSON):
SOURCE is mame or retroarch for the emulator&apos;s own keys, or a
retroarch.cfg or MAME .cfg file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OUT is JSON when it ends in .json, a .TPD file otherwise; the
roles stay. A file called mame or retroarch is given as ./mame or
./retroarch. A role whose key cannot be had is a warning, its
input keeps its key, and the status is then 9</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLineTool</name>
    <message>
        <source>%1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: this user may not open the unit (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device Not Found while backing it up; not written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device I/O Error while backing it up; not written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device Not Found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device I/O Error while writing; the unit is only partly programmed, write it again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>written, but reading it back failed (Device Not Found)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>written, but reading it back failed (Device I/O Error)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the unit holds something else than was written: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>key %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos; (see tarvenpad --help)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--unit and --all exclude each other</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--backup goes with write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--emulate-fault needs --emulate N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--emulate-fault fail:N needs N of 1 or more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--emulate-fault drop:%1: there is no emulated unit %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--emulate-fault drop: the location runs from 1 to 94</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>standard input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is no longer unit %2: units were plugged in or removed during the command</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot be opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 - not accessible (%2)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1 is not attached</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1, serial %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1, not accessible</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 units are attached; choose one with --unit N%2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> or all with --all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no TARVEN-PAD unit found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--backup %1 gives several units the same file; put {unit} or {serial} into it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1: Device I/O Error while reading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1: read into %2
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1: the same as %2
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: a legend is written as .pdf, .svg or .png</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no preset &apos;%1&apos; (see tarvenpad preset --list)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1 is attached, but this user may not open it (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>this user may not open the unit (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device I/O Error while reading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--serial names one unit: leave out %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1 (not accessible)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no unit with serial %1 is attached; attached: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>this user may not open it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>programmed and verified</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1: %2
</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>unit %1: %n difference(s) from %2
</source>
        <translation>
            <numerusform>unit %1: %n difference from %2
</numerusform>
            <numerusform>unit %1: %n differences from %2
</numerusform>
        </translation>
    </message>
    <message>
        <source>The udev rule that gives access is not installed. Install the tarvenpad-programmer package, which brings it, then unplug the unit and plug it in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The rule gives the user at the seat access: unplug the unit and plug it in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The udev rule that gives access is not installed. Install it from this build, then unplug the unit and plug it in again:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Over SSH or without a desktop session, access comes from the plugdev group. Join it, then log in again:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This user is in plugdev, but the unit was set up before the rule was in place. Unplug it and plug it in again, or have udev apply the rule now:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>warning: %1 left out: commands name units 1 to %2 only; &apos;tarvenpad watch&apos; programs every encoder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot watch for units: udevd, which announces each device plugged in, is not running or cannot be reached</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write the backup to %1: %2; not written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write the configuration to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write the log to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write the legend to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The rule gives the user at the seat the keyboard of a unit it has checked: unplug the unit and plug it in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A unit&apos;s keyboard carries keystrokes, so the rule gives it only to the user at the seat, never to a group: run identify in a desktop session at the computer the unit is plugged into.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the unit with serial %1 has not had its own configuration put back since %2; put it back with: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>identify reads the presses from a unit&apos;s keyboard, which emulated units do not have: plug a unit in and leave out --emulate and --demo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing to restore
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing to restore for serial %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the unit with serial %1 is not attached; plug it in and run &apos;%2&apos; again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1 (serial %2): its own configuration is back, read back equal
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1 (serial %2): its own configuration is back, read back equal, but the journal that kept it cannot forget it: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1 (serial %2): %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1 (serial %2) gets a temporary configuration that gives every input a key of its own; its own configuration goes back when identify ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1 (serial %2) still holds the temporary configuration of an earlier identify; its own configuration goes back when this one ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1 (serial %2): every input sends a key of its own already; nothing is written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>press the inputs one at a time; Ctrl+C ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>identify ended: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>key code %1: no input sends this key
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>every input was pressed
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not pressed: %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>putting the own configuration of unit %1 back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1: its own configuration is back, read back equal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1: its own configuration is back, read back equal, but the journal that kept it cannot forget it: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its own configuration stays in the journal; once it is plugged in again, put it back with: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its own configuration stays in the journal; put it back with: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>if the unit&apos;s configuration is the one to keep, forget the old one with: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot forget the configuration kept for serial %1 (%2: %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>serial %1: the configuration kept since %2 is forgotten
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>written and read back equal, but the configuration that identify kept of it cannot be forgotten (%1: %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>serial %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no TARVEN-PAD unit found; plug one in (and see ACCESS in tarvenpad(1))</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1 is attached, but %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1: %2; end that one first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no role</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 %3; %4 %5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (role): %2 %3; %4 %5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>diff: two files are compared without a unit: --unit, --serial, --emulate, --demo and --trace do not apply (see tarvenpad help diff)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the same as %2
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: not the same as %2 (%3 in all)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 %3  Shift Control Alt Repeat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Role</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> %1  %2 %3 %4 %5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1: read into %2, keeping its panel roles
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was written. To write it all the same, and replace those roles, add --replace-roles.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>press each control when it is asked for; Ctrl+C ends and keeps the roles learnt so far</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1: its configuration and the roles learnt written to %2
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the backup %1 holds panel roles that cannot be read (--replace-roles replaces them); not written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>retroarch --merge needs OUT to be a retroarch.cfg file, not -</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n input(s) took %1.</source>
        <translation>
            <numerusform>%n input took %1.</numerusform>
            <numerusform>%n inputs took %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Merged the binds for %n control(s) into %1; the old file is kept as %2.</source>
        <translation>
            <numerusform>Merged the binds for %n control into %1; the old file is kept as %2.</numerusform>
            <numerusform>Merged the binds for %n controls into %1; the old file is kept as %2.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 holds these binds already; nothing changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>keys: FILE and --from SOURCE cannot both be standard input</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigDocument</name>
    <message>
        <source>not a configuration file: neither a .TPD file nor a JSON document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is longer than 1 MiB, more than any configuration holds.
Nothing was loaded.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigFile</name>
    <message>
        <source>The file &quot;%1&quot; is empty: it holds no configuration.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Open This File Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is incomplete: it holds %2 bytes where a configuration needs %3.
Nothing was loaded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The panel roles in &quot;%1&quot; could not be read: %2. The keys were loaded; no input has a role.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is longer than 1 MiB: the panel roles cannot be saved in it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; holds panel roles that could not be read: %2. Saving replaces them.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigJson</name>
    <message>
        <source>Not a TARVEN-PAD configuration: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a boolean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an array</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 must be an object, not %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1.%2 appears twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 must be a whole number from 0 to 45</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 must be a whole number from 0 to 255</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 must be a string, not %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a field of a slot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 must be true or false, not %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1.slot is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1.key is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1.%2 must be true or false, not missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bad JSON at line %1, column %2 (byte %3): %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the document is not a JSON object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; appears twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;format&quot; must be &quot;tarvenpad-config&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;version&quot; must be 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;slots&quot; must be an array, not %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1.slot: slot %2 appears twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;options&quot; must be an object, not %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>options.%1 appears twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>options.%1 is not an option</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>options.%1 must be true or false, not %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>options.%1 must be true or false, not missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a field of a configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;slots&quot; must be an array, not missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>slot %1 (%2) is missing from &quot;slots&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;options&quot; must be an object, not missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 must name a panel role, such as &quot;P1_BUTTON1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1.role: slot %2 has it too</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigurationDifferences</name>
    <message>
        <source>%1 (repeat)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location %1: %2 | %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>and %n more</numerusform>
            <numerusform>and %n more</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EditHistory</name>
    <message>
        <source>%1 on %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key %1 on %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No role on %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Label on %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EmulatorExport</name>
    <message>
        <source>%1: %2 has no control for %3, so it is not written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no key, and %2 has none of its own for %3: it is not written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no key: %2 keeps its own key for %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 sends %2, which %3 has no name for, so it is not written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 sends %2, but a RetroArch bind takes one key: it is written as %3 alone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and %2 both send %3: %4 sees both controls pressed at once.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 sends %2, which holds down %3 as %4 sends it: %5 sees both controls pressed at once.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 keeps %2&apos;s own key, %3, which is also sent by %4: %2 sees both controls pressed at once.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> and </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No input has a panel role yet, so there is nothing to tell %1. Give the inputs their roles first: right-click an input in the window, or let tarvenpad identify --roles learn them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 sends %2, which is also %3&apos;s key for %4: pressing it does both.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EmulatorFiles</name>
    <message>
        <source>Cannot write &quot;%1&quot;:
%2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;:
%2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is longer than any RetroArch configuration, so it is left as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds no RetroArch binds (no input_ lines), so it is left as it was. Give the binds a file of their own instead.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot keep a backup of &quot;%1&quot; as &quot;%2&quot;:
%3.

The file is left as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;:
%2.

It is left as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is longer than any emulator configuration.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot take keys from &quot;%1&quot;:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds RetroArch settings other than binds, which the binds alone would replace, so it is left as it was. Merge the binds into it instead.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EmulatorImport</name>
    <message>
        <source>It is not a MAME configuration file that can be read: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is neither a RetroArch configuration (no input_ lines) nor a MAME configuration file (no &lt;mameconfig&gt; element).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the keys of this MAME configuration file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAME&apos;s own keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the keys of this RetroArch configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RetroArch&apos;s own keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 has no control for %3; left as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2; left as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no key of its own for it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAME has no key for it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAME&apos;s %1 is not a key the encoder can send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAME has it on %1, which is not a key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAME&apos;s %1 is several keys at once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RetroArch&apos;s key &quot;%1&quot; is not one the encoder can send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RetroArch has it on mouse button %1, which the encoder does not have</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RetroArch has it on a joystick only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RetroArch has no key for it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No input has a panel role yet, so no input can take a key from an emulator. Give the inputs their roles first: right-click an input in the window, or let tarvenpad identify --roles learn them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 now sends %2, as %3 does: the emulator cannot tell them apart.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no key of its own for these, left as they were: %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EmulatorMenuCommands</name>
    <message>
        <source>%1 will not see the panel quite as it is:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export For MAME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export For RetroArch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

Nothing has been saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Merge Into RetroArch Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>The binds for %n control(s) are now in &quot;%1&quot;.
The old file is kept as &quot;%2&quot;.</source>
        <translation>
            <numerusform>The binds for %n control are now in &quot;%1&quot;.
The old file is kept as &quot;%2&quot;.</numerusform>
            <numerusform>The binds for %n controls are now in &quot;%1&quot;.
The old file is kept as &quot;%2&quot;.</numerusform>
        </translation>
    </message>
    <message>
        <source>Keys From An Emulator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give every input that has a panel role the key an emulator expects:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAME&apos;s own keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RetroArch&apos;s own keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keys from a file (retroarch.cfg or a MAME .cfg)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keys From %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n input(s) took %1.</source>
        <translation>
            <numerusform>%n input took %1.</numerusform>
            <numerusform>%n inputs took %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Saved %n control(s) for MAME to &quot;%1&quot;: start MAME with -ctrlrpath &quot;%2&quot; -ctrlr &quot;%3&quot;</source>
        <translation>
            <numerusform>Saved %n control for MAME to &quot;%1&quot;: start MAME with -ctrlrpath &quot;%2&quot; -ctrlr &quot;%3&quot;</numerusform>
            <numerusform>Saved %n controls for MAME to &quot;%1&quot;: start MAME with -ctrlrpath &quot;%2&quot; -ctrlr &quot;%3&quot;</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Saved %n control(s) for RetroArch to &quot;%1&quot;: start RetroArch with --appendconfig &quot;%2&quot;</source>
        <translation>
            <numerusform>Saved %n control for RetroArch to &quot;%1&quot;: start RetroArch with --appendconfig &quot;%2&quot;</numerusform>
            <numerusform>Saved %n controls for RetroArch to &quot;%1&quot;: start RetroArch with --appendconfig &quot;%2&quot;</numerusform>
        </translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds these binds already: nothing has changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n input(s) took %1, but:</source>
        <translation>
            <numerusform>%n input took %1, but:</numerusform>
            <numerusform>%n inputs took %1, but:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EvdevKeySource</name>
    <message>
        <source>the unit was pulled out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its keyboard stopped answering: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileAccess</name>
    <message>
        <source>Cannot open the file &quot;%1&quot;:
%2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a FIFO (named pipe)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a character device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a block device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a socket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is %1, not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is a FIFO (named pipe) and no program is reading from it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It changed while it was being saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program reading from the FIFO does not take the data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>.
Putting back the old contents failed too (%1), so the file may be damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is %1; only files, character devices and FIFOs are written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;:
%2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Do You Want To Save This File?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save File?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot save the configuration to &quot;%1&quot;:
%2.

The configuration has not been saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

Save the file anyway?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuidedPassBox</name>
    <message>
        <source>Label the panel by pressing it:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo Last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IdentifyCommands</name>
    <message>
        <source>Identify Inputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To tell the inputs apart, unit %1 gets a temporary configuration in which every input sends a key of its own.

Its own configuration is kept on this computer and goes back onto the unit when you click Done. The configuration you are editing does not change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was written to unit %1: its own configuration could not be kept on this computer (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The temporary configuration could not be written to unit %1: %2.

Its own configuration goes back onto it now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is an emulated unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit %1 holds its own configuration again, but its copy on this computer could not be removed (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The own configuration of unit %1 could not be put back: %2.

It stays kept on this computer, and the program offers to put it back when that unit is plugged in or the program starts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit %1 was left as it is: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 skipped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Guided Pass: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IdentifyWindow</name>
    <message>
        <source>Identify Inputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Presses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press the panel&apos;s inputs one at a time. Each press is named here and its row is shown in the main window, where you can assign its key.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit %1 holds a temporary configuration until you click Done; then its own goes back onto it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit %1 keeps its own configuration: each of its inputs already sends a key of its own.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No input pressed yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit&apos;s own presses cannot be read (%1), so this window reads the keys that reach it: keep it in front while you press the inputs.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the key with code %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No input of this unit sends %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every input has been pressed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not pressed yet: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Presses are read from the unit itself, so they type into no other window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The main window hides its rotary rows: &quot;Rotary-5 on AUX&quot; is off there, but on in the unit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Rotary Rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To finish, press Esc, or Tab to Done and press Enter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To finish, click Done.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IdentifyWording</name>
    <message>
        <source>reading it failed (Device Not Found)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reading it failed (Device I/O Error)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot keep its own configuration in the journal: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>writing the temporary configuration failed (Device Not Found)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>writing the temporary configuration failed (Device I/O Error)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>putting its own configuration back failed (Device Not Found)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>putting its own configuration back failed (Device I/O Error)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its own configuration was written back, but it holds something else: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its own configuration was written back, but reading it back failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its serial number cannot be read, so it could not be told apart from another unit; nothing was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>another attached unit has the same serial number; unplug one of them; nothing was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds a configuration written after the one kept on %1; that one is not put over it, and nothing was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1; nothing was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not attached</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>location %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>modifiers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 moved from %2 to %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every role of the set has its input.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left without an input: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InputTestWindow</name>
    <message>
        <source>Test Inputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operate the panel&apos;s inputs: each lights the inputs that send its key.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotary-5 on AUX</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>scan code %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not assigned: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test Inputs - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeyName</name>
    <message>
        <source>Not Used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>G</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>H</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>J</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>K</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>M</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>U</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>!1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>@2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>#3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>$4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>^6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;&amp;7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>)0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Esc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backspace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>_-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+=</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>{[</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>}]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>|\</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>:;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot; &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>~`</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;,</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&gt;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>?/</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Caps Lock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scroll Lock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right Arrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left Arrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Down Arrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Up Arrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Num Lock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad /</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad *</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad -</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad +</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad Enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad 5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad 6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad 7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad 8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad 9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad .</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left Control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left Shift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left Alt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left Windows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right Control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right Shift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right Alt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right Windows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left Mouse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Middle Mouse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right Mouse</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeyPressSource</name>
    <message>
        <source>this user may not read its keyboard, %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its keyboard, %1, is taken by another program, such as another identify</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its keyboard, %1, could not be opened: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it shows this computer no keyboard whose presses could be read (no input event node with letter keys belongs to it)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeySelectForm</name>
    <message>
        <source>Not Used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key Selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mouse Buttons</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Keycap</name>
    <message>
        <source>Not Used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>G</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>H</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>J</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>K</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>M</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>U</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>!1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>@2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>#3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>$4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>^6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;&amp;7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>)0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Esc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bksp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>_-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+=</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>{[</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>}]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>|\</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>:;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot; &apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>~`</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;,</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&gt;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>?/</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Caps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PScr</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pau</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ins</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PgUp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Del</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PgDn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rght</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Num</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>/</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LCtrl</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LShift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LAlt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LWin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RCtrl</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RShift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RAlt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RWin</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LegendCommands</name>
    <message>
        <source>The legend could not be printed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Legend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Legend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot save the legend to &quot;%1&quot;:
%2.

Nothing has been saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot save the legend to &quot;%1&quot;:
%2.

The legend has not been saved.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LegendFile</name>
    <message>
        <source>%1: a legend is written as .pdf, .svg or .png.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A legend is written as .pdf, .svg or .png</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LegendSheet</name>
    <message>
        <source>Unsaved configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TARVEN-PAD: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Write To TARVENPAD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Read From TARVENPAD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Test Inputs...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Identify Inputs...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Compare With TARVENPAD...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Verify After Writing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print Legend...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export Legend...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;resets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export For &amp;MAME...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export For R&amp;etroArch...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mer&amp;ge Into RetroArch Configuration...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keys From An Emulator...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Quelmark Electronics, Inc. - TARVEN-PAD Programmer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotary-5 Key Assignments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>code %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 key: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MameConfigFile</name>
    <message>
        <source>it has no &lt;mameconfig&gt; element</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Module1</name>
    <message>
        <source>        No TARVEN-PAD devices detected !

Click the OK button below, plug the TARVEN-PAD
into the USB Port, and restart the program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning: The TARVEN-PAD programs must be copied to and run
from its own folder on the PC&apos;s harddrive. The CD itself
should be reserved for backup purposes only.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

A TARVEN-PAD is attached, but this user may not open it (%1: %2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

The udev rule that gives access is not installed. Install the tarvenpad-programmer package, which brings it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

The udev rule gives the user at the seat access: unplug the TARVEN-PAD, plug it in again and restart the program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

The udev rule that gives access is not installed. Install it from this build:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

Without a desktop session at the seat (a kiosk, a remote display), access comes from the plugdev group. Join it and log in again:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

The TARVEN-PAD was set up before the rule was in place. Unplug it and plug it in again, or have udev apply the rule now:
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MultiUnitsWindow</name>
    <message>
        <source>SN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detecting Multiple Units ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Unit to Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Multiple Units Detected!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PanelRole</name>
    <message>
        <source>Player %1 Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Player %1 Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Player %1 Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Player %1 Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Player %1 Button %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Coin %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One player, %1 buttons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Two players, %1 buttons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Four players, %1 buttons</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Presets</name>
    <message>
        <source>Arcade, one player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arcade, two players</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrow keys and buttons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no preset named %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtUserDialogs</name>
    <message>
        <source>All Files (*.*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration Files (*.TPD)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Configuration File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Configuration File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Legend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF Documents (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SVG Images (*.svg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG Images (*.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAME Configuration Files (*.cfg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RetroArch Configuration Files (*.cfg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save %1 Configuration File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Emulator Configuration File</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RestoreJournal</name>
    <message>
        <source>it is a link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is being identified or restored by another program (%1, process %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is being identified or restored by another program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>other users may write to it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RestoreOffers</name>
    <message>
        <source>A configuration of the unit with serial number %1 was kept on this computer on %2, but the unit holds one written after it. Putting the old one back would undo that, so nothing was written.

Forget the old configuration?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The old configuration could not be forgotten (%1: %2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put Configuration Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>While its inputs were identified on %2, the configuration of the unit with serial number %1 was kept on this computer, and it has not been put back yet.

Put it back onto that unit now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit with serial number %1 holds its own configuration again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configuration could not be put back onto the unit with serial number %1: %2.

It stays kept on this computer, and the program offers it again when that unit is plugged in or the program starts.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RoleLabel</name>
    <message>
        <source>P%1 Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P%1 Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P%1 Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P%1 Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P%1 Button %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: no role</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 role: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RoleMenu</name>
    <message>
        <source>Player &amp;%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cabinet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;No Role</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Label...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RolesBlock</name>
    <message>
        <source>the block is cut short</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>they were written by a newer version of the program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the block is longer than any we write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the block is damaged</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RowRoles</name>
    <message>
        <source>Role And &amp;Label...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 moved from %2 to %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Label for %1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Label</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RowSet</name>
    <message>
        <source>N/U</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SlotText</name>
    <message>
        <source>Input %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotary %1%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotary  %1%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>code %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reverse X Axis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reverse Y Axis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active High</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotary-5 on AUX</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relay-8 on AUX</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>off</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StandardStreams</name>
    <message>
        <source>cannot read standard input: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>standard input: more than 1 MiB, not a configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write standard output: not a device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write standard output: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatusWindow</name>
    <message>
        <source>TARVENPAD Programmer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initializing...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing configuration - %1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading configuration - %1%</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StrictJson</name>
    <message>
        <source>a NUL byte after the document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>more text after the document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the document ends too early</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a NUL byte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unexpected byte 0x%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unexpected character &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nested deeper than %1 levels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>expected a name in quotes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>expected &apos;:&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>expected &apos;,&apos; or &apos;}&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>expected &apos;,&apos; or &apos;]&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a number needs a digit here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a number must not start with 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a number needs a digit after &apos;.&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a number needs a digit in its exponent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a string has no closing quote</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a NUL byte in a string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a raw control character (0x%1) in a string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>\u needs four hex digits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>\u escape of a lone surrogate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>\u0000 (NUL) in a string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>invalid escape \%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>invalid UTF-8 in a string</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TerminalProgress</name>
    <message>
        <source>Writing configuration - %1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading configuration - %1%</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TracingAccess</name>
    <message>
        <source>failed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TransferCommands</name>
    <message>
        <source>Device Not Found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device I/O Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TARVEN-PAD Programmed Successfully</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programmed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration File Read Successfully From The TARVENPAD Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Successful Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit holds the new configuration, but the copy of its earlier one kept on this computer could not be removed (%1: %2). Do not let the program put that copy back.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UnitComparison</name>
    <message>
        <source>The TARVEN-PAD holds this configuration.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The TARVEN-PAD holds a different configuration.
(this configuration | the unit)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The TARVEN-PAD does not hold what was written.
(written | read back)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UnitWatch</name>
    <message>
        <source>programmed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>already programmed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1  %2  %3  %4 ms
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>programmed: %1, already programmed: %2, failed: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>TARVEN-PAD Programmer demo: two emulated units (serials 4172 and 12935), nothing is written to hardware; unit 1 holds a sample configuration.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write standard output: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
