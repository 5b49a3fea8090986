# Cross build for 32-bit Windows (the product: Windows 95 to XP).
set(QL_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
