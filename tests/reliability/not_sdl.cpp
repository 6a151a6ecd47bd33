// Stands where the system's SDL library would be found, and is not SDL: a
// library of that name without any of SDL's functions.
extern "C" int kelvaro_not_sdl() { return 1; }
