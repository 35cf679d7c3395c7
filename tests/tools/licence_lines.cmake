# SPDX-License-Identifier: GPL-2.0-or-later
# Every source file says its licence in its first lines: cmake -DROOT=... -P this file.
file(GLOB_RECURSE sources RELATIVE ${ROOT}
    ${ROOT}/*.cpp ${ROOT}/*.h ${ROOT}/*CMakeLists.txt ${ROOT}/*.sh ${ROOT}/*.cmake)
set(missing "")
foreach(source ${sources})
    if(source MATCHES "^build")
        continue()
    endif()
    file(STRINGS ${ROOT}/${source} head LIMIT_COUNT 2)
    if(NOT head MATCHES "SPDX-License-Identifier: GPL-2.0-or-later")
        list(APPEND missing ${source})
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "no licence line in: ${missing}")
endif()
