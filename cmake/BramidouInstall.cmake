# Where an installed copy goes, Debian's games layout under any prefix: the game in
# games/, its data in share/games/bramidou, found from the executable (see
# settings/InstallLayout.h), never from the working directory.
include(GNUInstallDirs)

set(BRAMIDOU_INSTALL_GAMESDIR games CACHE STRING "Folder of the installed game, under the prefix")
set(BRAMIDOU_INSTALL_DATADIR ${CMAKE_INSTALL_DATAROOTDIR}/games/bramidou
    CACHE STRING "Folder of the installed game's data, under the prefix")

# Both folders are taken under one stand-in prefix so the path between them holds
# for whatever prefix the tree is finally installed or packaged under.
file(RELATIVE_PATH BRAMIDOU_DATA_FROM_EXECUTABLE
    /prefix/${BRAMIDOU_INSTALL_GAMESDIR} /prefix/${BRAMIDOU_INSTALL_DATADIR})

# bramidou_add_run_data(FILE...): files the build puts in the run folder beside the
# executable (sounds, help collections...). They are installed into the data folder,
# where the game looks for them when they are not beside it.
function(bramidou_add_run_data)
    set_property(GLOBAL APPEND PROPERTY BRAMIDOU_RUN_DATA ${ARGN})
endfunction()

# Called once, after every folder has added its files.
function(bramidou_install_run_data)
    get_property(files GLOBAL PROPERTY BRAMIDOU_RUN_DATA)
    if(files)
        install(FILES ${files} DESTINATION ${BRAMIDOU_INSTALL_DATADIR})
    endif()
endfunction()
