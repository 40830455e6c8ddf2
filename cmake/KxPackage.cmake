# `cpack -G DEB` in a build folder packs what `cmake --install` puts in place.
# Neither builds anything: build the program's targets first (kxcashier and
# kxmkdata), so that packing never compiles the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_PACKAGE_NAME kxcashier)
set(CPACK_PACKAGE_VERSION 1.02)
set(CPACK_PACKAGE_VENDOR kxcashier)
set(CPACK_PACKAGE_CONTACT "kxcashier <kxcashier@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Bookkeeping for a company's cashier")
set(CPACK_PACKAGE_DESCRIPTION
  "Fund accounts, in/out subjects, money records posted into day and month ledgers, departments and employees, users and rights, backup and restore, reports and spreadsheet export.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's dialogs in Chinese, the fonts the program's "宋体" maps to, and the
# desktop's opener for the help file, PDF files and spreadsheets.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-wqy-zenhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
