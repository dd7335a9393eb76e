# The sanitizer build's replay of the committed fuzz corpus (fuzz/corpus/<target>/):
# each target's entry point built with the normal compiler and a plain
# main() (replay_main.cpp) instead of libFuzzer, one CTest test per target.
set(ORVESSA_FUZZ_DIR ${PROJECT_SOURCE_DIR}/fuzz)
add_library(orvessa_replay_support STATIC ${ORVESSA_FUZZ_DIR}/TFuzzEnvironment.cpp ${ORVESSA_FUZZ_DIR}/TFuzzEnvironment.h
  ${PROJECT_SOURCE_DIR}/src/plugins/decoders/TPhotoDecoderPlugin.cpp
  ${PROJECT_SOURCE_DIR}/src/plugins/decoders/TPhotoDecoderPlugin.h ${ORVESSA_DECODER_SOURCES})
set_target_properties(orvessa_replay_support PROPERTIES AUTOMOC ON)
target_include_directories(orvessa_replay_support PUBLIC ${PROJECT_SOURCE_DIR}/src ${ORVESSA_FUZZ_DIR}
  PRIVATE ${EMF2SVG_INCLUDE_DIR})
target_link_libraries(orvessa_replay_support PUBLIC orvessa_app Qt6::Svg
  PRIVATE JPEG::JPEG PkgConfig::WMF ${EMF2SVG_LIBRARY})

function(orvessa_add_replay name source)
  add_executable(replay_${name} ${ORVESSA_FUZZ_DIR}/${source} ${ORVESSA_FUZZ_DIR}/replay_main.cpp)
  target_link_libraries(replay_${name} PRIVATE orvessa_replay_support)
  add_test(NAME replay_${name} COMMAND replay_${name} ${ORVESSA_FUZZ_DIR}/corpus/${name})
  set_tests_properties(replay_${name} PROPERTIES TIMEOUT 600 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

foreach(format jpg bmp ico gif wmf emf)
  orvessa_add_replay(photo_${format} fuzz_photo.cpp)
  target_compile_definitions(replay_photo_${format} PRIVATE ORVESSA_FUZZ_EXTENSION="${format}")
endforeach()
orvessa_add_replay(gif_decoder fuzz_gif_decoder.cpp)
orvessa_add_replay(langfile fuzz_langfile.cpp)
orvessa_add_replay(template fuzz_template.cpp)
orvessa_add_replay(measurements fuzz_measurements.cpp)
