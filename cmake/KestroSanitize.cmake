# AddressSanitizer and UndefinedBehaviorSanitizer for the whole build when KESTRO_SANITIZE is on.
if(KESTRO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
