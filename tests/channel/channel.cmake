# Channel tests: fixtures (echo target, HTTP proxy, relay) and one program per module.
if(NOT TARGET channel)
  return()
endif()
add_library(channel_test_fixtures STATIC
  ${CMAKE_CURRENT_LIST_DIR}/fixtures/tcp_listener.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fixtures/test_cert.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fixtures/echo_target.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fixtures/channel_exercise.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fixtures/http_proxy_fixture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fixtures/relay_fixture.cpp)
target_include_directories(channel_test_fixtures PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(channel_test_fixtures PUBLIC channel vexoproxy vexotunnelclient qm_test_support
  GTest::gtest OpenSSL::SSL OpenSSL::Crypto Threads::Threads)

qm_add_test(channel_test LABEL channel
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/channel_test.cpp
  LIBS channel_test_fixtures)
qm_add_test(proxy_channel_test LABEL channel
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/proxy_channel_test.cpp
  LIBS channel_test_fixtures)
qm_add_test(tunnel_channel_test LABEL channel
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tunnel_channel_test.cpp
  LIBS channel_test_fixtures)
qm_add_test(proxy_ntlm_test LABEL channel
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/proxy_ntlm_test.cpp
  LIBS vexoproxy)
qm_add_test(proxy_http_test LABEL channel
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/proxy_http_test.cpp
  LIBS channel_test_fixtures)
qm_add_test(vexocrypto_test LABEL channel
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/vexocrypto_test.cpp
  LIBS vexotunnelclient)
qm_add_test(server_channel_test LABEL channel
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/server_channel_test.cpp
  LIBS channel_test_fixtures quillmar_test_server_lib)
