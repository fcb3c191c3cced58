# Copies one header into the public include tree, its includes of the
# project's own folders rewritten under torb_cbo/, so that a consumer needs
# only the include/ folder on its path and none of the project's folder names
# (platform/, list/, fill/, ...) lands in its namespace of includes.
#   cmake -DIN=source.hpp -DOUT=include/torb_cbo/.../x.hpp -P public_header.cmake
file(READ "${IN}" text)
string(REGEX REPLACE "#include \"widget/" "#include \"torb_cbo/" text "${text}")
string(REGEX REPLACE "#include \"(platform|list|control|grid|fill|sqlite|qt_sql)/" "#include \"torb_cbo/\\1/" text "${text}")
file(WRITE "${OUT}.tmp" "${text}")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
