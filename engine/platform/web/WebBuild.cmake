# Dunmere for web pages: the engine's logic as on the desktop, the page's platform instead of
# SDL's, stb_image for pictures, generated CP932 tables instead of iconv and a CRC-32 of its own
# instead of zlib. The two tables that
# native tools write (the glyphs and CP932) come from the desktop build: ./kit web passes them.
if(NOT KIT_FONT_TABLE OR NOT KIT_SJIS_TABLE)
    message(FATAL_ERROR "the web build needs -DKIT_FONT_TABLE=... and -DKIT_SJIS_TABLE=... (./kit web)")
endif()
# Only the stb folder: the rest of /usr/include is the desktop's C library, not the page's.
find_path(STB_INCLUDE_DIR stb_image.h PATHS /usr/include/stb NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)

set(engine_dir ${CMAKE_CURRENT_SOURCE_DIR})
file(GLOB_RECURSE web_engine_sources CONFIGURE_DEPENDS
    ${engine_dir}/core/*.cpp ${engine_dir}/words/*.cpp ${engine_dir}/script/*.cpp
    ${engine_dir}/field/*.cpp ${engine_dir}/game/*.cpp ${engine_dir}/items/*.cpp
    ${engine_dir}/battle/*.cpp ${engine_dir}/menu/*.cpp ${engine_dir}/title/*.cpp
    ${engine_dir}/save/*.cpp
    ${engine_dir}/platform/headless/*.cpp
    ${engine_dir}/platform/web/*.cpp)
file(GLOB platform_common_sources CONFIGURE_DEPENDS ${engine_dir}/platform/*.cpp)
list(APPEND web_engine_sources ${platform_common_sources})
list(REMOVE_ITEM web_engine_sources ${engine_dir}/core/BmpDecodeSdl.cpp
    ${engine_dir}/platform/PngFile.cpp ${engine_dir}/platform/headless/EngineHarness.cpp)
list(FILTER web_engine_sources EXCLUDE REGEX "/platform/sdl/")

# The kit's common code without its iconv conversions (the generated tables replace them).
get_target_property(common_sources kit_common SOURCES)
list(FILTER common_sources EXCLUDE REGEX "ShiftJis")
list(TRANSFORM common_sources PREPEND ${CMAKE_SOURCE_DIR}/common/)

add_executable(dunmere ${web_engine_sources} ${common_sources} ${KIT_FONT_TABLE} ${KIT_SJIS_TABLE})
# zlib.h: the CRC-32 of saved games, which ZlibCrc32.cpp provides.
target_include_directories(dunmere PRIVATE ${CMAKE_SOURCE_DIR} ${STB_INCLUDE_DIR}
    ${engine_dir}/platform/web/zlib)
set_source_files_properties(${engine_dir}/core/PixelRows.cpp PROPERTIES COMPILE_OPTIONS "-O3")
# The stb headers are C written to be included once; their warnings are not the kit's.
set_source_files_properties(${engine_dir}/platform/web/BmpDecodeStb.cpp
    ${engine_dir}/platform/web/PngFileStb.cpp PROPERTIES COMPILE_OPTIONS "-w")
target_link_options(dunmere PRIVATE
    -sALLOW_MEMORY_GROWTH=1 -sINVOKE_RUN=0 -sEXIT_RUNTIME=0
    -sEXPORTED_RUNTIME_METHODS=callMain,FS,UTF8ToString -sFORCE_FILESYSTEM=1
    -sMODULARIZE=1 -sEXPORT_NAME=createDunmere -sENVIRONMENT=web)
