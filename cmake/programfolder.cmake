# Lays out the program folder at build time: the working folders and, when there is none, a
# default ORVA.ini. An existing ORVA.ini holds the user's settings and is never touched.
#   cmake -DPROGRAM_DIR=<folder> -P programfolder.cmake
if(NOT PROGRAM_DIR)
  message(FATAL_ERROR "PROGRAM_DIR is not set")
endif()
foreach(folder LIB FORM PRO OUT CI)
  file(MAKE_DIRECTORY "${PROGRAM_DIR}/${folder}")
endforeach()
if(NOT EXISTS "${PROGRAM_DIR}/ORVA.ini")
  # Path empty: the program root is the executable's folder. ServerHost empty: no server.
  file(WRITE "${PROGRAM_DIR}/ORVA.ini"
"[SYSTEM]
Print=0
Button=0
Path=
PathLib=LIB
PathOut=OUT
PathPro=PRO
PathCI=CI
lastPro=
ServerHost=
")
endif()
