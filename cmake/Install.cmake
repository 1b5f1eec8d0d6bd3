# `cmake --install build [--prefix P]` lays the kit out as a Linux desktop expects it: the
# programs in bin/, the sample game, desktop entries, icons, file types, manual pages and the
# README. The tree is relocatable: an installed dunmere finds the sample game relative to itself.
# The readable sources of the desktop files, icons and manual pages are in dist/.
include(GNUInstallDirs)

set(KIT_DIST_DIR ${CMAKE_SOURCE_DIR}/dist)
set(KIT_PACKAGE_NAME dunmere-kit)
set(KIT_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${KIT_PACKAGE_NAME})
set(KIT_GENERATED_DIR ${CMAKE_BINARY_DIR}/dist)

find_program(KIT_SCDOC scdoc)
find_program(KIT_RSVG_CONVERT rsvg-convert)
find_program(KIT_GZIP gzip)
if(NOT KIT_SCDOC OR NOT KIT_RSVG_CONVERT OR NOT KIT_GZIP)
    message(FATAL_ERROR "the manual pages and icons need scdoc, rsvg-convert (librsvg2-bin) and "
                        "gzip: run ./kit deps")
endif()

# Programs. The converters' targets build kit-NAME files (tools/CMakeLists.txt); the map editor
# and kit-game are installed once their folders are part of the build.
set(kit_programs dunmere kyrel pocora rostel picture mapmake midi kylmake sjis)
set(kit_manuals dunmere.6 kyrel.1 pocora.1 rostel.1 kit-picture.1 kit-mapmake.1 kit-midi.1
    kit-kylmake.1 kit-sjis.1)
set(kit_desktop_programs kyrel pocora)
if(TARGET tessel)
    list(APPEND kit_programs tessel)
    list(APPEND kit_manuals tessel.1)
    list(APPEND kit_desktop_programs tessel)
endif()
if(TARGET kit-game)
    list(APPEND kit_programs kit-game)
    list(APPEND kit_manuals kit-game.1)
endif()
install(TARGETS ${kit_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(DIRECTORY ${CMAKE_BINARY_DIR}/sample-game/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/dunmere/sample-game
        PATTERN .kit-game-build EXCLUDE)

# Manual pages: scdoc sources, compressed the way Debian ships them (no time stamp in the gzip
# header, so the package is reproducible).
set(manual_files)
foreach(page ${kit_manuals})
    set(roff ${KIT_GENERATED_DIR}/man/${page})
    set(out ${roff}.gz)
    add_custom_command(OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${KIT_GENERATED_DIR}/man
        COMMAND sh -c "\"$0\" < \"$1\" > \"$2\"" ${KIT_SCDOC} ${KIT_DIST_DIR}/man/${page}.scd
                ${roff}
        COMMAND ${KIT_GZIP} -9nf ${roff}
        DEPENDS ${KIT_DIST_DIR}/man/${page}.scd
        COMMENT "manual page ${page}"
        VERBATIM)
    list(APPEND manual_files ${out})
    string(REGEX REPLACE ".*\\." "" section ${page})
    install(FILES ${out} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()

# Icons: each is drawn once as SVG and rendered at the sizes desktops look for.
set(kit_icons dunmere ${kit_desktop_programs})
set(icon_files)
foreach(icon ${kit_icons})
    set(svg ${KIT_DIST_DIR}/icons/${icon}.svg)
    install(FILES ${svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    foreach(size 16 22 24 32 48 64 128 256)
        set(out ${KIT_GENERATED_DIR}/icons/${size}x${size}/${icon}.png)
        add_custom_command(OUTPUT ${out}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${KIT_GENERATED_DIR}/icons/${size}x${size}
            COMMAND ${KIT_RSVG_CONVERT} -w ${size} -h ${size} -o ${out} ${svg}
            DEPENDS ${svg}
            VERBATIM)
        list(APPEND icon_files ${out})
        install(FILES ${out} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
endforeach()

set(changelog ${KIT_GENERATED_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KIT_GENERATED_DIR}
    COMMAND sh -c "\"$0\" -9nc < \"$1\" > \"$2\"" ${KIT_GZIP} ${KIT_DIST_DIR}/debian/changelog
            ${changelog}
    DEPENDS ${KIT_DIST_DIR}/debian/changelog
    VERBATIM)
add_custom_target(kit_dist_files ALL DEPENDS ${manual_files} ${icon_files} ${changelog})

foreach(program ${kit_desktop_programs})
    install(FILES ${KIT_DIST_DIR}/applications/${program}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
endforeach()
install(FILES ${KIT_DIST_DIR}/applications/dunmere-sample-game.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KIT_DIST_DIR}/mime/dunmere-kit.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

install(FILES ${CMAKE_SOURCE_DIR}/README.md ${KIT_DIST_DIR}/debian/copyright ${changelog}
        DESTINATION ${KIT_DOC_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION ${KIT_DOC_DIR}/docs)
