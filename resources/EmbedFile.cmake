# Writes a C++ source defining `tamzor::embedded::<SYMBOL>` as the bytes of
# INPUT. Run as: cmake -DINPUT=... -DOUTPUT=... -DSYMBOL=... -P EmbedFile.cmake
if(NOT DEFINED INPUT OR NOT DEFINED OUTPUT OR NOT DEFINED SYMBOL)
  message(FATAL_ERROR "EmbedFile.cmake needs INPUT, OUTPUT and SYMBOL")
endif()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
if(size EQUAL 0)
  message(FATAL_ERROR "${INPUT} is empty")
endif()
# Sixteen bytes a line keeps the generated source readable and diffable.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x..," 16 sixteenBytes)
string(REGEX REPLACE "(${sixteenBytes})" "\\1\n  " bytes "${bytes}")

file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.
#include \"EmbeddedImages.h\"

namespace tamzor::embedded {
namespace {

const unsigned char bytes[${size}] = {
  ${bytes}
};

}  // namespace

const Resource ${SYMBOL}{bytes, sizeof bytes};

}  // namespace tamzor::embedded
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
