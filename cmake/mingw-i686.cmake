# Cross build for 32-bit Windows (the product: Windows 95 to XP).
set(QL_ARCH i686)
# The product links the win32-thread runtime: the posix one's static
# winpthread imports GetTickCount64, which Windows XP and older lack.
if(NOT QL_THREADS)
  set(QL_THREADS win32)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
