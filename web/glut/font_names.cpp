// The fonts' names: a program names a font by the address of one of these,
// as GLUT's header has it on systems other than Windows, and GLUT's font
// code compares the addresses alone.

extern "C" {

void* glutStrokeRoman = &glutStrokeRoman;
void* glutStrokeMonoRoman = &glutStrokeMonoRoman;
void* glutBitmap9By15 = &glutBitmap9By15;
void* glutBitmap8By13 = &glutBitmap8By13;
void* glutBitmapTimesRoman10 = &glutBitmapTimesRoman10;
void* glutBitmapTimesRoman24 = &glutBitmapTimesRoman24;
void* glutBitmapHelvetica10 = &glutBitmapHelvetica10;
void* glutBitmapHelvetica12 = &glutBitmapHelvetica12;
void* glutBitmapHelvetica18 = &glutBitmapHelvetica18;

}  // extern "C"
