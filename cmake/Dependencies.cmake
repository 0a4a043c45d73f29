# Every third-party library comes from Debian's packages (scripts/setup installs them).
find_package(PkgConfig REQUIRED)
find_package(SDL2 REQUIRED CONFIG)
find_package(Iconv REQUIRED)
find_package(Threads REQUIRED)
find_package(Boost REQUIRED)
find_package(PNG REQUIRED)
find_package(benchmark CONFIG)
# The sample game maker encodes its Ogg Vorbis music through the platform layer.
pkg_check_modules(VORBISENC REQUIRED IMPORTED_TARGET vorbisenc vorbis ogg)
# MIDI music: our own sequencer drives FluidSynth's synthesiser; Ogg music through vorbisfile.
pkg_check_modules(FLUIDSYNTH REQUIRED IMPORTED_TARGET fluidsynth)
pkg_check_modules(VORBISFILE REQUIRED IMPORTED_TARGET vorbisfile)
# Text: glyphs from FreeType, faces found through fontconfig (platform layer only).
find_package(Freetype REQUIRED)
find_package(Fontconfig REQUIRED)
