# Every third-party library comes from Debian's packages (scripts/setup installs them).
find_package(PkgConfig REQUIRED)
find_package(SDL2 REQUIRED CONFIG)
find_package(Iconv REQUIRED)
find_package(Threads REQUIRED)
find_package(Boost REQUIRED)
find_package(PNG REQUIRED)
find_package(benchmark CONFIG)
