# Registers a GoogleTest executable with ctest: every case on its own where the executable runs here, one
# test per executable under an emulator (listing the cases would start Wine at build time), none where the
# executable cannot run at all (32-bit Windows).
function(quorvel_register_gtest target)
  if(CMAKE_CROSSCOMPILING)
    if(CMAKE_CROSSCOMPILING_EMULATOR)
      add_test(NAME ${target} COMMAND ${target})
    endif()
  else()
    include(GoogleTest)
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES)
  endif()
endfunction()
