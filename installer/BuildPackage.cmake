# Builds the package: cmake -D VERSION=... -D PROGRAM=... -D HOME_PAGE=...
#   -D OUTPUT=....msi [-D SIGN_CERT=... -D SIGN_KEY=...] -P BuildPackage.cmake
# The program is copied beside the package's work files first (wixl takes
# source files relative to where it runs), signed there when a certificate
# and key are given, packed, and then the package is signed with the same.
cmake_minimum_required(VERSION 3.20)

foreach(required VERSION PROGRAM HOME_PAGE OUTPUT)
  if(NOT DEFINED ${required} OR "${${required}}" STREQUAL "")
    message(FATAL_ERROR "BuildPackage.cmake needs -D ${required}=...")
  endif()
endforeach()
set(sign FALSE)
if(SIGN_CERT OR SIGN_KEY)
  if(NOT SIGN_CERT OR NOT SIGN_KEY)
    message(FATAL_ERROR "signing needs both a certificate and a key")
  endif()
  set(sign TRUE)
endif()

find_program(WIXL wixl REQUIRED)
if(sign)
  find_program(OSSLSIGNCODE osslsigncode REQUIRED)
endif()

# The product code follows from the version, so that a package rebuilt at the
# same version is taken as the same product instead of a second one beside it.
string(UUID product_code NAMESPACE 5A0E9C1D-6B7F-4D3A-9E21-7C48B5F0A6D3 NAME "${VERSION}"
       TYPE SHA1 UPPER)

get_filename_component(output "${OUTPUT}" ABSOLUTE)
set(stage "${output}.stage")
file(REMOVE_RECURSE "${stage}")
file(MAKE_DIRECTORY "${stage}")
configure_file("${PROGRAM}" "${stage}/Vellinor.exe" COPYONLY)

function(sign_file path)
  execute_process(
    COMMAND "${OSSLSIGNCODE}" sign -certs "${SIGN_CERT}" -key "${SIGN_KEY}" -n Vellinor
            -i "http://${HOME_PAGE}" -h sha256 -in "${path}" -out "${path}.signed"
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "osslsigncode could not sign ${path}")
  endif()
  file(RENAME "${path}.signed" "${path}")
endfunction()

if(sign)
  sign_file("${stage}/Vellinor.exe")
endif()

execute_process(
  COMMAND "${WIXL}" -a x64 -D "Version=${VERSION}" -D "ProductCode=${product_code}"
          -D ProgramFile=Vellinor.exe -D "HomePage=${HOME_PAGE}" -o "${stage}/Vellinor.msi"
          "${CMAKE_CURRENT_LIST_DIR}/Vellinor.wxs"
  WORKING_DIRECTORY "${stage}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "wixl could not build the package")
endif()

if(sign)
  sign_file("${stage}/Vellinor.msi")
endif()
file(RENAME "${stage}/Vellinor.msi" "${output}")
