# Third-party libraries are installed (Debian packages, or the cross-built cache for Win32),
# never copied into the tree.
if(WIN32)
  find_path(NETPROBE_CURL_INCLUDE curl/curl.h REQUIRED)
  find_library(NETPROBE_CURL_LIB NAMES curl libcurl REQUIRED)
  add_library(netprobe_curl INTERFACE)
  target_include_directories(netprobe_curl INTERFACE ${NETPROBE_CURL_INCLUDE})
  target_compile_definitions(netprobe_curl INTERFACE CURL_STATICLIB)
  target_link_libraries(netprobe_curl INTERFACE ${NETPROBE_CURL_LIB} bcrypt advapi32 crypt32 ws2_32)

  find_path(NETPROBE_XML2_INCLUDE libxml/parser.h PATH_SUFFIXES libxml2 REQUIRED)
  find_library(NETPROBE_XML2_LIB NAMES xml2 libxml2 REQUIRED)
  add_library(netprobe_xml2 INTERFACE)
  target_include_directories(netprobe_xml2 INTERFACE ${NETPROBE_XML2_INCLUDE})
  target_compile_definitions(netprobe_xml2 INTERFACE LIBXML_STATIC)
  target_link_libraries(netprobe_xml2 INTERFACE ${NETPROBE_XML2_LIB} ws2_32)
else()
  find_package(CURL REQUIRED)
  find_package(LibXml2 REQUIRED)
  add_library(netprobe_curl INTERFACE)
  target_link_libraries(netprobe_curl INTERFACE CURL::libcurl)
  add_library(netprobe_xml2 INTERFACE)
  target_link_libraries(netprobe_xml2 INTERFACE LibXml2::LibXml2)
endif()

find_package(Threads REQUIRED)

# nlohmann-json (header-only, the Debian package): the tools' JSON. The cross build takes the
# same headers, through a folder of its own that holds nothing else of the build machine's
# /usr/include (whose curl and libxml2 headers are not the cross-built ones).
if(WIN32)
  find_path(NETPROBE_NLOHMANN_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH
            REQUIRED)
  set(_netprobe_json_root ${CMAKE_BINARY_DIR}/nlohmann-include)
  file(MAKE_DIRECTORY ${_netprobe_json_root})
  file(CREATE_LINK ${NETPROBE_NLOHMANN_INCLUDE}/nlohmann ${_netprobe_json_root}/nlohmann SYMBOLIC)
  add_library(netprobe_json INTERFACE)
  target_include_directories(netprobe_json SYSTEM INTERFACE ${_netprobe_json_root})
  unset(_netprobe_json_root)
else()
  find_package(nlohmann_json 3.10 REQUIRED)
  add_library(netprobe_json INTERFACE)
  target_link_libraries(netprobe_json INTERFACE nlohmann_json::nlohmann_json)
endif()
