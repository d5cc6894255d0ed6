# Brings a copy of the catalogue up to date with the code and fails if any text in it has no
# finished translation. The catalogue itself is left as it is.
string(REPLACE "," ";" SOURCES "${SOURCES}")
file(COPY_FILE ${CATALOGUE} ${WORK}/catalogue-check.ts)
execute_process(
    COMMAND ${LUPDATE} -silent -locations none -no-obsolete ${SOURCES} -ts ${WORK}/catalogue-check.ts
    RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "lupdate failed")
endif()
file(READ ${WORK}/catalogue-check.ts checked)
string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"unfinished\"" missing "${checked}")
if(missing)
    string(REGEX REPLACE "<translation type=\"unfinished\"" "" missing "${missing}")
    string(REPLACE ";" "\n  " missing "${missing}")
    message(FATAL_ERROR "Texts without a finished Lithuanian translation in ${CATALOGUE}:\n  ${missing}\n"
        "Run: lupdate ${SOURCES} -ts ${CATALOGUE}, then translate them.")
endif()
