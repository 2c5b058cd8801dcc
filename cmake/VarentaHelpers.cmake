# Standard, warnings and Qt strictness for every target of the project.
add_library(varenta_options INTERFACE)
target_compile_features(varenta_options INTERFACE cxx_std_20)
target_compile_options(varenta_options INTERFACE -Wall -Wextra -Wpedantic)
if(VARENTA_WERROR)
    target_compile_options(varenta_options INTERFACE -Werror)
endif()
target_compile_definitions(varenta_options INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CONTEXTLESS_CONNECT
    QT_USE_QSTRINGBUILDER
    QT_NO_KEYWORDS
    QT_DISABLE_DEPRECATED_UP_TO=0x060400)
if(VARENTA_SANITIZE)
    target_compile_options(varenta_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(varenta_options INTERFACE -fsanitize=address,undefined)
endif()

# varenta_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [GUI])
# One test executable per test class. GUI tests run on the offscreen platform so that they never need a display.
function(varenta_add_test)
    cmake_parse_arguments(ARG "GUI" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} Qt6::Test varenta_options)
    target_compile_definitions(${ARG_NAME} PRIVATE
        VARENTA_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/testdata"
        VARENTA_BUNDLED_DB="${PROJECT_SOURCE_DIR}/data/db.dll")
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
    set(env "LC_ALL=C.UTF-8" "TZ=UTC")
    if(ARG_GUI)
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${ARG_TIMEOUT})
endfunction()
