#pragma once
// The program's angle rules, one function each, so that every course, turn
// and longitude in degrees is brought into range the same way at its edges.
namespace korvant {

// [0, 360): courses computed and compared. Never -0; any finite input; a
// value that rounds to 360 on the way becomes 0.
double wrap360(double degrees);

// (0, 360]: courses as pilots print them, north as 360 (magnetic courses,
// runway headings, turn spans).
double wrapCourse360(double degrees);

// [-180, 180): longitudes and signed differences.
double wrap180(double degrees);

}  // namespace korvant
