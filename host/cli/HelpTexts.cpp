#include "HelpTexts.h"

namespace tamzor::cli {

const char* const toolHelp = R"(usage: tamzor <command> [arguments]

Renders audio through the amp head plug-in, loaded as a VST 2.4 host loads it.

commands:
  demo                    render a built-in guitar riff through a few settings into out/demo/
  render IN OUT           process a sound file (re-amp a DI track, batch-render takes)
  info                    show the plug-in's identity, parameters and programs
  preset save FILE        write a .fxp program or .fxb bank preset
  preset show FILE        show what a .fxp or .fxb preset holds
  help [COMMAND]          show help for a command (also: tamzor COMMAND --help)
  --version               show the tool's version

The plug-in is the library built alongside the tool, unless --plugin PATH or the
environment variable TAMZOR_PLUGIN names another.

exit codes:
  0    success
  1    usage error: unknown command or option, bad value, unknown parameter name
  2    file error: missing, unreadable or unwritable file, unsupported or damaged file
  3    plug-in error: library not loadable or not a VST 2.4 plug-in, preset refused
  130  interrupted (Ctrl-C); no output file is left behind
)";

const char* const renderHelp = R"(usage: tamzor render IN OUT [options]

Reads IN (any format libsndfile reads: WAV, FLAC, AIFF, Ogg Vorbis, ...), passes
it through the plug-in at IN's sample rate, and writes OUT in the format its
extension names. A mono IN feeds both plug-in inputs; OUT is stereo. Files with
more than two channels are refused. OUT appears only once it is complete.

options:
  --program N          select program N (0 to 9) first
  --preset FILE        then load a .fxp program or .fxb bank preset
  --set NAME=VALUE     then set a parameter by its name (as 'tamzor info' lists
                       it, case, spaces and '_' not minding) to VALUE in 0..1;
                       repeatable, applied in order. Channel recalls the
                       channel's own settings, so set it before them.
                       e.g. --set Channel=1 --set Drive=0.7 --set "MCJ Boost=1"
  --block N            frames per processing block (default 512; 1 to 65536).
                       The output depends slightly on the block size.
  --bits B             sample format of OUT: 16, 24 (default), 32 or float for
                       .wav and .aiff/.aif; 16 or 24 for .flac; none for .ogg
  --plugin PATH        the plug-in library to load
  -q, --quiet          print nothing on success
  -h, --help           show this help

Output is deterministic: the same input, settings and block size give
bit-identical files. A progress bar appears on a terminal for renders that take
longer than a second; the last line gives the real-time factor.
)";

const char* const infoHelp = R"(usage: tamzor info [options]

Shows the plug-in's identity (names, vendor, unique ID, versions, channels,
flags), each parameter with its name, display text and label, and the names of
its programs, all read through the VST 2.4 interface.

options:
  --program N          select program N first
  --preset FILE        then load a .fxp or .fxb preset
  --set NAME=VALUE     then set parameters (repeatable), to see their display texts
  --plugin PATH        the plug-in library to load
  -h, --help           show this help
)";

const char* const presetHelp = R"(usage: tamzor preset save FILE [options]
       tamzor preset show FILE [options]

VST 2.4 preset files holding the plug-in's state chunk: .fxp for one program,
.fxb for the bank of all programs. See 'tamzor preset save --help' and
'tamzor preset show --help'.
)";

const char* const presetSaveHelp = R"(usage: tamzor preset save FILE [options]

Writes the plug-in's state as a preset: FILE ending in .fxp holds the current
program, FILE ending in .fxb (or --bank) the whole bank.

options:
  --program N          select program N first (the program an .fxp holds)
  --bank               write a bank (.fxb)
  --preset FILE        start from an existing .fxp or .fxb preset
  --set NAME=VALUE     set parameters (repeatable, applied in order)
  --name TEXT          name the current program (up to 24 characters)
  --plugin PATH        the plug-in library to load
  -h, --help           show this help
)";

const char* const presetShowHelp = R"(usage: tamzor preset show FILE [options]

Shows a preset's header (type, plug-in ID and version, chunk size), then loads
it into the plug-in and shows the parameters of its program (of program N of a
bank with --program N) and, for a bank, the program names.

options:
  --program N          for a bank: the program whose parameters to show (default 0)
  --plugin PATH        the plug-in library to load
  -h, --help           show this help
)";

const char* const demoHelp = R"(usage: tamzor demo [options]

Synthesises a short guitar riff (plucked strings, fixed seed, about -12 dBFS
peak like a DI recording), then renders it through a few contrasting settings
and writes WAV files: the dry riff, clean PLS, crunch, MCJ with boost and a
double-tracked riff through HighQ stereo.

options:
  --out DIR            where to write the files (default out/demo)
  --block N            frames per processing block (default 512)
  --plugin PATH        the plug-in library to load
  -q, --quiet          print nothing on success
  -h, --help           show this help
)";

}  // namespace tamzor::cli
