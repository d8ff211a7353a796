# Renders the Markdown user guide (GitHub's dialect: its table extension for the messages) into the page
# template. Inputs: CMARK_GFM, GUIDE, PAGE, OUTPUT.
execute_process(COMMAND "${CMARK_GFM}" --extension table --validate-utf8 "${GUIDE}"
    OUTPUT_VARIABLE ORVELLA_GUIDE_BODY ERROR_VARIABLE error RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmark-gfm could not render ${GUIDE}: ${error}")
endif()
configure_file("${PAGE}" "${OUTPUT}" @ONLY)
