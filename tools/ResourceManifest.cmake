# The files a resource manifest names, read the way tools/embed_resources reads it: a line whose
# first non-blank character is '#' is a comment, a blank line is nothing, and every other line is
# "NAME TYPE relative/path". The build lists them as what the embedded table depends on.
function(vexil_resource_manifest_files manifest resource_dir out_var)
  file(STRINGS ${manifest} manifest_lines REGEX "^[ \t]*[^# \t\r]")
  set(files)
  foreach(line IN LISTS manifest_lines)
    string(REGEX REPLACE "^[ \t]*[^ \t\r]+[ \t]+[^ \t\r]+[ \t]+([^ \t\r]+).*$" "\\1" path
                         "${line}")
    list(APPEND files ${resource_dir}/${path})
  endforeach()
  set(${out_var} ${files} PARENT_SCOPE)
endfunction()
