# The installed layout and the generated header that carries it, with the
# version, into the program:
#   <prefix>/bin/orvessa                          the executable
#   <prefix>/lib/orvessa/orvessa_*.so             its plugins
#   <prefix>/share/orvessa/{lng,pic,res,help}     its data folders
set(ORVESSA_APP_ID org.tallowmere.Orvessa)
set(ORVESSA_INSTALL_PLUGINDIR ${CMAKE_INSTALL_LIBDIR}/orvessa)
set(ORVESSA_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/orvessa)

# Both relative to the executable's folder, so the installed program works
# under any prefix (and after the prefix has been moved).
file(RELATIVE_PATH ORVESSA_DATA_FROM_BIN /p/${CMAKE_INSTALL_BINDIR} /p/${ORVESSA_INSTALL_DATADIR})
file(RELATIVE_PATH ORVESSA_PLUGINS_FROM_BIN /p/${CMAKE_INSTALL_BINDIR} /p/${ORVESSA_INSTALL_PLUGINDIR})

set(ORVESSA_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/OrvessaBuild.h.in ${ORVESSA_GENERATED_DIR}/OrvessaBuild.h @ONLY)
