# Where an install puts the program's files, and how each finds the others from its own folder
# (so a tree installed under any prefix, or moved whole, still works). kestro goes on PATH; the
# window program, which no user starts by hand, goes to the package's private folder.
include(GNUInstallDirs)
set(KESTRO_INSTALL_WINDOW_DIR ${CMAKE_INSTALL_LIBEXECDIR}/kestrovane)
set(KESTRO_INSTALL_GUIDE_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/kestrovane)
# Relative paths between the folders of an install, as the programs look them up.
file(RELATIVE_PATH KESTRO_WINDOW_DIR_FROM_BIN /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${KESTRO_INSTALL_WINDOW_DIR})
file(RELATIVE_PATH KESTRO_GUIDE_DIR_FROM_BIN /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${KESTRO_INSTALL_GUIDE_DIR})
file(RELATIVE_PATH KESTRO_GUIDE_DIR_FROM_WINDOW /prefix/${KESTRO_INSTALL_WINDOW_DIR}
     /prefix/${KESTRO_INSTALL_GUIDE_DIR})
