# Run as a script: fails when one of FILES includes a project header (one under data/, sim/, view/,
# shell/, platform/, tools/, tests/, fuzz/, bench/ or townwright-sim/) that the regular expression
# ALLOWS rejects.
set(project_folders "^(data|sim|view|shell|platform|tools|tests|fuzz|bench|townwright-sim)/")
set(broken)
foreach(file IN LISTS FILES)
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
    if(header MATCHES "${project_folders}" AND NOT header MATCHES "${ALLOWS}")
      list(APPEND broken "${file} includes \"${header}\"")
    endif()
  endforeach()
endforeach()
if(broken)
  list(JOIN broken "\n  " report)
  message(FATAL_ERROR "${LAYER} may not include these, which lie above it:\n  ${report}")
endif()
