# Writes the page's texts.js from web/texts.js.in: the settings panel's texts
# are the configuration dialog's own, taken from its two language scripts,
# and the home page is the one the dialog opens.
#   cmake -DSOURCE_DIR=... -DOUTPUT=... -P page_texts.cmake
foreach(language japanese english)
  file(STRINGS "${SOURCE_DIR}/res/config_dialog_${language}.rc" lines ENCODING UTF-8
       REGEX "^#define DIALOG_[A-Z_]+ \"[^\"]*\"$")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^#define (DIALOG_[A-Z_]+) \"([^\"]*)\"$" "\\1" name "${line}")
    string(REGEX REPLACE "^#define (DIALOG_[A-Z_]+) \"([^\"]*)\"$" "\\2" text "${line}")
    set(${name}_${language} "${text}")
  endforeach()
endforeach()
file(STRINGS "${SOURCE_DIR}/res/resource_ids.h" address REGEX "^#define HOME_PAGE_ADDRESS \"")
string(REGEX REPLACE "^#define HOME_PAGE_ADDRESS \"([^\"]*)\".*$" "\\1" HOME_PAGE_ADDRESS "${address}")
configure_file("${SOURCE_DIR}/web/texts.js.in" "${OUTPUT}" @ONLY)
