# The texts' catalogs (po/*.po) compiled with gettext's msgfmt, which checks each one (format
# placeholders, header), and built into netprobe_core as byte arrays (cmake/EmbedCatalogs.cmake):
# no file beside the program to lose or mismatch.
find_program(NETPROBE_MSGFMT msgfmt REQUIRED)

function(netprobe_catalogs target)
  set(po_dir ${PROJECT_SOURCE_DIR}/po)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/catalogs)
  set(mo_files)
  foreach(lang zh_CN en)
    set(mo ${out_dir}/${lang}.mo)
    add_custom_command(OUTPUT ${mo}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
      COMMAND ${NETPROBE_MSGFMT} --check -o ${mo} ${po_dir}/${lang}.po
      DEPENDS ${po_dir}/${lang}.po VERBATIM)
    list(APPEND mo_files ${mo})
  endforeach()
  set(source ${out_dir}/catalogs.cpp)
  add_custom_command(OUTPUT ${source}
    COMMAND ${CMAKE_COMMAND} -DCHINESE=${out_dir}/zh_CN.mo -DENGLISH=${out_dir}/en.mo -DOUTPUT=${source}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedCatalogs.cmake
    DEPENDS ${mo_files} ${PROJECT_SOURCE_DIR}/cmake/EmbedCatalogs.cmake VERBATIM)
  target_sources(${target} PRIVATE ${source})
endfunction()
