# cmake -DSOURCE=<file> -DDESTINATION=<file> -P CopyIfMissing.cmake
# Puts the bundled results file in place only where none is yet: a results file the program has updated is the
# user's data and is never replaced by an older bundled one.
if(NOT EXISTS "${DESTINATION}")
    get_filename_component(directory "${DESTINATION}" DIRECTORY)
    file(MAKE_DIRECTORY "${directory}")
    file(COPY_FILE "${SOURCE}" "${DESTINATION}")
endif()
