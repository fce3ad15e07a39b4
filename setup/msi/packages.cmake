# Installer packages built with wixl: in each language folder "Setup.msi" (per user, the one
# the launcher opens) and "Setup-machine.msi" (per machine, for IT departments).

find_program(WD_WIXL wixl)
find_program(WD_MSIBUILD msibuild)
find_program(WD_PYTHON3 python3)

# The uninstall entry's support links (Control Panel's "Support information").
set(WD_HELP_LINK "https://www.pulsora-medical.example/support" CACHE STRING
    "Help link of the uninstall entry")
set(WD_CONTACT "Pulsora Medical customer service" CACHE STRING "Contact of the uninstall entry")

# wd_add_msi_package(TARGET OUTPUT file.msi LANGUAGE 2052|1033 SCOPE user|machine VERSION x.y.z
#                    PROGRAM exe RESOURCE_LIBRARY dll [DEPENDS targets...])
# wixl takes the files from its working folder, so they are staged under the names the
# package gives them. Programs ship without their debug information (the build tree keeps it).
function(wd_add_msi_package target)
  cmake_parse_arguments(ARG "" "OUTPUT;LANGUAGE;SCOPE;VERSION;PROGRAM;RESOURCE_LIBRARY" "DEPENDS"
                        ${ARGN})
  set(msi ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  set(sources ${msi}/wardDesk-${ARG_SCOPE}.wxs ${msi}/language.wxi ${msi}/product.wxi
              ${msi}/finish_package.py ${msi}/build_package.sh)
  set(icon ${CMAKE_SOURCE_DIR}/res/icons/128.ico)
  set(stage ${CMAKE_CURRENT_BINARY_DIR}/${target}.stage)
  file(MAKE_DIRECTORY ${stage})
  add_custom_command(
    OUTPUT ${ARG_OUTPUT}
    COMMAND ${CMAKE_STRIP} -o ${stage}/wardDesk.exe ${ARG_PROGRAM}
    COMMAND ${CMAKE_COMMAND} -E copy ${ARG_RESOURCE_LIBRARY} ${stage}/rc_en.dll
    COMMAND ${CMAKE_COMMAND} -E copy ${icon} ${stage}/program.ico
    COMMAND bash ${msi}/build_package.sh ${stage} ${ARG_OUTPUT} ${ARG_LANGUAGE} ${ARG_SCOPE}
            ${ARG_VERSION} ${WD_HELP_LINK} ${WD_CONTACT}
    DEPENDS ${sources} ${icon} ${ARG_PROGRAM} ${ARG_RESOURCE_LIBRARY} ${ARG_DEPENDS}
    COMMENT "Packaging ${ARG_OUTPUT}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${ARG_OUTPUT})
endfunction()

# The release folder of the build tree: Setup.exe beside one folder per language.
set(WD_RELEASE_DIR ${CMAKE_BINARY_DIR}/release)
if(NOT WD_WIXL OR NOT WD_MSIBUILD OR NOT WD_PYTHON3)
  message(STATUS "wixl, msibuild or python3 not found: no installer packages"
                 " (scripts/deps.sh release)")
elseif(NOT TARGET wardDesk OR NOT TARGET rc_en)
  message(STATUS "wardDesk or rc_en not in this build: no installer packages")
else()
  set(packages "")
  foreach(language 2052 1033)
    foreach(scope user machine)
      set(name Setup.msi)
      if(scope STREQUAL "machine")
        set(name Setup-machine.msi)
      endif()
      wd_add_msi_package(setup_package_${language}_${scope}
        OUTPUT ${WD_RELEASE_DIR}/${language}/${name}
        LANGUAGE ${language} SCOPE ${scope} VERSION ${PROJECT_VERSION}
        PROGRAM $<TARGET_FILE:wardDesk> RESOURCE_LIBRARY $<TARGET_FILE:rc_en>
        DEPENDS wardDesk rc_en)
      list(APPEND packages setup_package_${language}_${scope})
    endforeach()
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
  add_custom_target(setup_release ALL DEPENDS ${WD_RELEASE_DIR}/Setup.exe ${packages})
  # What scripts/release.sh needs to build signed packages from this tree's programs.
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/setup/package_settings.sh CONTENT "\
version='${PROJECT_VERSION}'
help_link='${WD_HELP_LINK}'
contact='${WD_CONTACT}'
strip='${CMAKE_STRIP}'
icon='${CMAKE_SOURCE_DIR}/res/icons/128.ico'
")
endif()
