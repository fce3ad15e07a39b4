# Installer packages built with wixl: one "Setup.msi" per language folder.

find_program(WD_WIXL wixl)

# wd_add_msi_package(TARGET OUTPUT file.msi LANGUAGE 2052|1033 VERSION x.y.z
#                    PROGRAM exe RESOURCE_LIBRARY dll [DEPENDS targets...])
# wixl takes the files from its working folder, so they are staged there under the names
# the package gives them. Programs ship without their debug information (the build tree keeps it).
function(wd_add_msi_package target)
  cmake_parse_arguments(ARG "" "OUTPUT;LANGUAGE;VERSION;PROGRAM;RESOURCE_LIBRARY" "DEPENDS" ${ARGN})
  get_filename_component(dir ${ARG_OUTPUT} DIRECTORY)
  set(source ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/wardDesk.wxs)
  set(icon ${CMAKE_SOURCE_DIR}/res/icons/128.ico)
  set(stage ${CMAKE_CURRENT_BINARY_DIR}/${target}.stage)
  file(MAKE_DIRECTORY ${stage})
  add_custom_command(
    OUTPUT ${ARG_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${CMAKE_STRIP} -o ${stage}/wardDesk.exe ${ARG_PROGRAM}
    COMMAND ${CMAKE_COMMAND} -E copy ${ARG_RESOURCE_LIBRARY} ${stage}/rc_en.dll
    COMMAND ${CMAKE_COMMAND} -E copy ${icon} ${stage}/program.ico
    COMMAND ${WD_WIXL} --arch x64 -D LanguageId=${ARG_LANGUAGE} -D Version=${ARG_VERSION}
            -o ${ARG_OUTPUT} ${source}
    WORKING_DIRECTORY ${stage}
    DEPENDS ${source} ${icon} ${ARG_PROGRAM} ${ARG_RESOURCE_LIBRARY} ${ARG_DEPENDS}
    COMMENT "Packaging ${ARG_OUTPUT}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${ARG_OUTPUT})
endfunction()

# The release folder of the build tree: Setup.exe beside one folder per language.
set(WD_RELEASE_DIR ${CMAKE_BINARY_DIR}/release)
if(NOT WD_WIXL)
  message(STATUS "wixl not found: no installer packages (scripts/deps.sh release)")
elseif(NOT TARGET wardDesk OR NOT TARGET rc_en)
  message(STATUS "wardDesk or rc_en not in this build: no installer packages")
else()
  foreach(language 2052 1033)
    wd_add_msi_package(setup_package_${language}
      OUTPUT ${WD_RELEASE_DIR}/${language}/Setup.msi
      LANGUAGE ${language} VERSION ${PROJECT_VERSION}
      PROGRAM $<TARGET_FILE:wardDesk> RESOURCE_LIBRARY $<TARGET_FILE:rc_en>
      DEPENDS wardDesk rc_en)
  endforeach()
  # For Windows readers: CRLF line ends (the source carries a UTF-8 byte-order mark).
  set(WD_VERSION ${PROJECT_VERSION})
  configure_file(${CMAKE_SOURCE_DIR}/setup/release/README.txt ${WD_RELEASE_DIR}/README.txt
                 @ONLY NEWLINE_STYLE CRLF)
  add_custom_command(
    OUTPUT ${WD_RELEASE_DIR}/Setup.exe
    COMMAND ${CMAKE_STRIP} -o ${WD_RELEASE_DIR}/Setup.exe $<TARGET_FILE:Setup>
    DEPENDS Setup
    VERBATIM)
  add_custom_target(setup_release ALL
    DEPENDS ${WD_RELEASE_DIR}/Setup.exe setup_package_2052 setup_package_1033)
endif()
