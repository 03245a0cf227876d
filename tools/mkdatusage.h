#pragma once
// korvant-mkdat's command line, for its --help and its manual page.
namespace korvant {

inline constexpr char MKDAT_USAGE[] =
    "usage: korvant-mkdat -o OUT.DAT SOURCE...\n"
    "       korvant-mkdat --dump FILE\n"
    "       korvant-mkdat --ps1 OUTDIR SOURCE...   (a PS1-layout simulator folder)\n"
    "       korvant-mkdat --ps1-dump DIR\n"
    "       korvant-mkdat --dafif OUTDIR SOURCE... (a DAFIF-layout folder)\n"
    "       korvant-mkdat --dafif-dump DIR\n"
    "       korvant-mkdat --xpnav OUTDIR SOURCE... (X-Plane navigation data from fixes and airways)\n"
    "       korvant-mkdat --procedure OUT TEXT     (a procedure or route file)\n"
    "       korvant-mkdat --procedure-dump FILE    (.ROU files start with their header)\n"
    "       korvant-mkdat --version\n";

}  // namespace korvant
