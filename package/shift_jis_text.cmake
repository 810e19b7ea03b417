# Turns a UTF-8 text into the Shift_JIS (code page 932) text with CR LF line
# ends that Windows users open in Notepad:
#   cmake -DINPUT=README_ja.md -DOUTPUT=readme.txt -P shift_jis_text.cmake
# A character without a Shift_JIS form, or one that would come back as another
# character, fails the build and leaves OUTPUT as it was.
cmake_minimum_required(VERSION 3.20)

foreach(var INPUT OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "shift_jis_text.cmake: ${var} is not set")
  endif()
endforeach()

find_program(KX27_ICONV iconv)
if(NOT KX27_ICONV)
  message(FATAL_ERROR "shift_jis_text.cmake: iconv is needed to write ${OUTPUT}")
endif()

file(READ "${INPUT}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")

# Temporaries beside OUTPUT, so that the final rename stays on one file system.
set(utf8 "${OUTPUT}.utf8.tmp")
set(sjis "${OUTPUT}.sjis.tmp")
set(back "${OUTPUT}.back.tmp")
file(WRITE "${utf8}" "${text}")

function(kx27_iconv from to in out)
  execute_process(COMMAND "${KX27_ICONV}" -f ${from} -t ${to}
                  INPUT_FILE "${in}" OUTPUT_FILE "${out}"
                  RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    file(REMOVE "${utf8}" "${sjis}" "${back}")
    message(FATAL_ERROR "${INPUT}: no Shift_JIS form for a character (${err})")
  endif()
endfunction()

kx27_iconv(UTF-8 CP932 "${utf8}" "${sjis}")
kx27_iconv(CP932 UTF-8 "${sjis}" "${back}")
file(SHA256 "${utf8}" wanted)
file(SHA256 "${back}" got)
file(REMOVE "${utf8}" "${back}")
if(NOT wanted STREQUAL got)
  file(REMOVE "${sjis}")
  message(FATAL_ERROR "${INPUT}: a character would read back as another one "
                      "in Shift_JIS (write ～ U+FF5E for 〜, － U+FF0D for −)")
endif()
file(RENAME "${sjis}" "${OUTPUT}")
