# The Debian package, built by scripts/package with cpack -G DEB.
set(CPACK_PACKAGE_NAME tonvirta)
set(CPACK_PACKAGE_VENDOR "Dorvila")
set(CPACK_PACKAGE_CONTACT "The Tonvirta developers <tonvirta@dorvila.lt>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "see and hear how harmonics add up to a waveform")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Tonvirta teaches additive (Fourier) synthesis. The amplitudes of the first"
    "17 harmonics of a tone are set with sliders, by typing, or with one of six"
    "presets, and an oscilloscope display redraws their sum ten times a second."
    "The sum can be heard, drawn with the mouse, saved as a picture and exported"
    "as sound.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
include(CPack)
