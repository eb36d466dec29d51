cmake_minimum_required(VERSION 3.25)
# Collects the help topics that the server opens and checks them in the
# compiled help file with chmcheck under Wine.
#   SOURCE_DIR  the project's sources
#   CHMS        the compiled help files, "<file>=<folder of its pages>|..."
#   CHMCHECK    the checking program      PREFIX    the Wine prefix to use

# Topics named in the sources: ShowHelp(session, L"topic") and the dialogs'
# base constructor TDialog(session, L"frmName", L"topic").
file(GLOB_RECURSE sources ${SOURCE_DIR}/server/*.cpp ${SOURCE_DIR}/server/*.h)
set(topics)
foreach(src ${sources})
  if(src MATCHES "/tests/")
    continue()
  endif()
  file(READ ${src} text)
  string(REGEX MATCHALL "ShowHelp\\([^;\"]*L\"[A-Za-z0-9_]+\"" calls "${text}")
  # The dialog bases derived from TDialog take (session, [forms,] name, topic, ...).
  string(REGEX MATCHALL "T(Dialog|AttributeDialog|PointDialog)\\([^;\"]*L\"[^\"]*\"[ \t\r\n]*,[ \t\r\n]*L\"[A-Za-z0-9_]+\"" ctors "${text}")
  foreach(m ${calls} ${ctors})
    string(REGEX MATCH "L\"([A-Za-z0-9_]+)\"$" _ "${m}")
    list(APPEND topics ${CMAKE_MATCH_1})
  endforeach()
endforeach()
list(REMOVE_DUPLICATES topics)
if(NOT "tlgroups" IN_LIST topics)
  message(FATAL_ERROR "the scan of server/ found no help topic of the group manager: the patterns no longer match the sources (found: ${topics})")
endif()
list(LENGTH topics found)
message(STATUS "help topics opened by the server sources (${found}): ${topics}")

foreach(t tltatt tlimportfic)
  if(NOT t IN_LIST topics)
    message(FATAL_ERROR "the scan of server/ missed the topic ${t} of a dialog built on a shared base (found: ${topics})")
  endif()
endforeach()

# Every topic of a dialog, including those whose dialog is still to come,
# and the entry window's.
list(APPEND topics
  tlgroups tlfiltrepoint tledit tlselgroup tltab tlchalt tlfil tleditmodel
  tlimportfic tldespoint tlcrepoint tlsauvepoints tlenc tlchev tltatt tlratt
  tlrepos tloptions tlsaisie)
list(REMOVE_DUPLICATES topics)

# Each help file: those topics and every page of its own folder. The
# languages share the topic file names, so a page written in one language
# only is also reported.
string(REPLACE "|" ";" CHMS "${CHMS}")
set(all_pages)
foreach(entry ${CHMS})
  string(REGEX MATCH "^([^=]+)=(.+)$" _ "${entry}")
  file(GLOB pages ${CMAKE_MATCH_2}/*.htm)
  foreach(p ${pages})
    get_filename_component(name ${p} NAME_WE)
    list(APPEND all_pages ${name})
  endforeach()
endforeach()
list(REMOVE_DUPLICATES all_pages)
list(APPEND topics ${all_pages})
list(REMOVE_DUPLICATES topics)

set(failed)
foreach(entry ${CHMS})
  string(REGEX MATCH "^([^=]+)=(.+)$" _ "${entry}")
  set(CHM ${CMAKE_MATCH_1})
  if(NOT EXISTS ${CHM})
    message(FATAL_ERROR "help file ${CHM} not built")
  endif()
  string(REPLACE "/" "\\" chm_win "Z:${CHM}")
  execute_process(
    # The checker must also notice a topic that is not there.
    COMMAND bash -c "source '${SOURCE_DIR}/scripts/wine-prefix' '${PREFIX}' && wine \"$0\" \"$@\"; rc=$?
                     if [ $rc = 0 ] && wine \"$0\" \"$1\" tlnosuchtopic >/dev/null; then
                       echo 'chmcheck accepted a topic that is not in the file'; rc=1; fi
                     wineserver -k 2>/dev/null; exit $rc"
            ${CHMCHECK} ${chm_win} ${topics}
    RESULT_VARIABLE rc
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err)
  string(REPLACE "\r" "" out "${out}")
  message("${CHM}:\n${out}")
  if(NOT rc EQUAL 0)
    list(APPEND failed "${CHM} (exit ${rc}) ${err}")
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "chmcheck failed: ${failed}")
endif()
