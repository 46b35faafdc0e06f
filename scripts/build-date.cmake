# Writes the day of the build into the header OUT ("dd/mm/yy"); the file is
# touched only when the day changed, so that a build the same day rebuilds nothing.
string(TIMESTAMP day "%d/%m/%y")
file(CONFIGURE OUTPUT ${OUT} CONTENT "#define ORVANEL_BUILD_DATE \"${day}\"\n")
