# The version and its release date, read before project() from the top
# entry of debian/changelog, the one place they are written: the package,
# --version, the manual page and the AppStream release all take them from
# here.
#   KOPPELO_RELEASE_VERSION  1.0
#   KOPPELO_RELEASE_DATE     2026-12-07, the day the entry was signed
set(changelog ${CMAKE_CURRENT_LIST_DIR}/../debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
file(READ ${changelog} entries)

if(NOT entries MATCHES "^koppelo \\(([0-9]+(\\.[0-9]+)*)\\)")
  message(FATAL_ERROR "${changelog}: the top entry must start 'koppelo (<version>)', digits and dots")
endif()
set(KOPPELO_RELEASE_VERSION ${CMAKE_MATCH_1})

# The first signature line is the top entry's:
#  -- Name <address>  Mon, 07 Dec 2026 12:00:00 +0000
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
if(NOT entries MATCHES "\n -- [^\n]*>  [A-Z][a-z][a-z], ([0-9][0-9]?) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "${changelog}: the top entry has no dated signature line")
endif()
set(day ${CMAKE_MATCH_1})
set(year ${CMAKE_MATCH_3})
list(FIND months ${CMAKE_MATCH_2} month)
if(month EQUAL -1)
  message(FATAL_ERROR "${changelog}: '${CMAKE_MATCH_2}' is not a month")
endif()
math(EXPR month "${month} + 1")
foreach(part month day)
  string(LENGTH ${${part}} digits)
  if(digits EQUAL 1)
    set(${part} 0${${part}})
  endif()
endforeach()
set(KOPPELO_RELEASE_DATE ${year}-${month}-${day})
