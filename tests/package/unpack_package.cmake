# Unzips the release package into a fresh folder as a user does, and checks
# that it holds the package's files and nothing else:
#   cmake -DZIP=kx27-1.0.0-win64.zip -DDEST=FOLDER -DNAME=kx27-1.0.0 -P unpack_package.cmake
cmake_minimum_required(VERSION 3.20)

file(REMOVE_RECURSE "${DEST}")
file(MAKE_DIRECTORY "${DEST}")
file(ARCHIVE_EXTRACT INPUT "${ZIP}" DESTINATION "${DEST}")

file(GLOB_RECURSE found RELATIVE "${DEST}" LIST_DIRECTORIES false "${DEST}/*")
set(expected kx27.exe kx27c.exe kx27.bat kx27_preset1.bat readme.txt LICENSE.txt)
list(TRANSFORM expected PREPEND "${NAME}/")
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "${ZIP} holds\n  ${found}\nand not\n  ${expected}")
endif()
