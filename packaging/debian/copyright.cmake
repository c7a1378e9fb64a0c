# Writes the package's copyright file in the machine-readable Debian format
# from the licence at the top of the tree.
#   cmake -DLICENSE=<LICENSE> -DOUTPUT=<copyright> -P copyright.cmake
file(READ "${LICENSE}" text)
# The licence's own title and copyright line go into the header fields.
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" _ "${text}")
set(holder "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]+\n\n" "" body "${text}")
string(REGEX REPLACE "\n+$" "" body "${body}")
# Continuation lines start with a space; an empty line is " .".
string(REPLACE "\n\n" "\n.\n" body "${body}")
string(REPLACE "\n" "\n " body "${body}")
file(WRITE "${OUTPUT}" "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: norukaku-client

Files: *
Copyright: ${holder}
License: Expat
 ${body}
")
