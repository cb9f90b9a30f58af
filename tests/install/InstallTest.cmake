# cmake -DBUILD_DIR=... -DWORK_DIR=... -DDATA_SOURCE=... -DWITH_UI=ON|OFF
#       [-DDESKTOP_FILE_VALIDATE=...] [-DAPPSTREAMCLI=...] -P InstallTest.cmake
cmake_minimum_required(VERSION 3.25)

set(prefix ${WORK_DIR}/prefix)
set(user ${WORK_DIR}/user)
if(EXISTS ${prefix})
    file(CHMOD_RECURSE ${prefix} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endif()
file(REMOVE_RECURSE ${WORK_DIR})

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN}\nexit ${status}\n${out}${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
# The programs see their own path with every link followed.
file(REAL_PATH ${prefix} prefix)
file(MAKE_DIRECTORY ${user})
file(REAL_PATH ${user} user)

set(expected bin/tovel-cli share/tovel/Data/base.txt share/tovel/Data/boosters.ini share/man/man1/tovel-cli.1)
if(WITH_UI)
    list(APPEND expected bin/tovel share/tovel/editions.rcc share/applications/org.tovel.Tovel.desktop
         share/metainfo/org.tovel.Tovel.metainfo.xml share/icons/hicolor/scalable/apps/org.tovel.Tovel.svg
         share/icons/hicolor/48x48/apps/org.tovel.Tovel.png share/icons/hicolor/128x128/apps/org.tovel.Tovel.png
         share/icons/hicolor/256x256/apps/org.tovel.Tovel.png)
endif()
foreach(file IN LISTS expected)
    if(NOT EXISTS ${prefix}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
# The programs and nothing else: no tests, benchmarks or tools.
file(GLOB programs RELATIVE ${prefix}/bin ${prefix}/bin/*)
list(SORT programs)
if(WITH_UI AND NOT programs STREQUAL "tovel;tovel-cli" OR NOT WITH_UI AND NOT programs STREQUAL "tovel-cli")
    message(FATAL_ERROR "installed programs: ${programs}")
endif()
file(GLOB_RECURSE pictures ${prefix}/share/tovel/Data/*.jpg)
if(WITH_UI AND NOT pictures)
    message(FATAL_ERROR "no card pictures installed")
endif()
if(WITH_UI AND DESKTOP_FILE_VALIDATE)
    run(${DESKTOP_FILE_VALIDATE} ${prefix}/share/applications/org.tovel.Tovel.desktop)
endif()
if(WITH_UI AND APPSTREAMCLI)
    run(${APPSTREAMCLI} validate --no-net ${prefix}/share/metainfo/org.tovel.Tovel.metainfo.xml)
endif()

# Read-only, as under /usr; the user's files go to their own folder.
file(CHMOD_RECURSE ${prefix} FILE_PERMISSIONS OWNER_READ OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
     DIRECTORY_PERMISSIONS OWNER_READ OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
unset(ENV{TOVEL_HOME})
set(ENV{HOME} ${user})
set(ENV{XDG_DATA_HOME} ${user}/data)
set(cli ${prefix}/bin/tovel-cli)

run(${cli} where)
if(NOT out STREQUAL "${user}/data/tovel/ (the per-user folder: ${prefix}/bin/ holds no Data/)\n")
    message(FATAL_ERROR "where: ${out}")
endif()
run(${cli} db check)
if(NOT out MATCHES " cards, 0 problems\n$")
    message(FATAL_ERROR "db check: ${out}")
endif()
run(${cli} deck stats "${user}/data/tovel/Decks/Verdant Reaches - Black-Green.dec")
if(NOT out MATCHES "^Main deck: 40 cards")
    message(FATAL_ERROR "the seeded sample deck: ${out}")
endif()
file(SHA256 ${DATA_SOURCE}/base.txt installed)
file(SHA256 ${user}/data/tovel/Data/base.txt seeded)
if(NOT installed STREQUAL seeded)
    message(FATAL_ERROR "the seeded base.txt differs from the sample world's")
endif()
# The draft reads its packs from the settings file of the per-user folder.
file(WRITE ${user}/data/tovel/tovel.ini "[Draft]\r\nConfig=VR;HK;Tidebreak Expedition;\r\n")
run(${cli} draft --seed 7 --out ${user}/draft.dec)
if(NOT EXISTS ${user}/draft.dec OR NOT EXISTS ${user}/draft_bot8.dec)
    message(FATAL_ERROR "draft wrote no decks")
endif()

file(CHMOD_RECURSE ${prefix} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
file(REMOVE_RECURSE ${WORK_DIR})
