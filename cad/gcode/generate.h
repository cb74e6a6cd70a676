// The milling program of the current design: fixed start and end, ten feed
// lines, bit-by-bit order with bit-change prompts, depth passes, outline
// toolpaths and inward fills. Lines end in CR LF on every platform.
#pragma once

#include <cstddef>
#include <cstdio>

// Step between fill rings: bit size / OVERLAPFACTOR.
constexpr double OVERLAPFACTOR = 1.3;

// Receives program text; returns 0 when it could not take it.
typedef int (*GcodeSink)(void* ctx, const char* data, size_t size);

// The program file; set by openOutFile, null after closeOutFile.
extern FILE* outFile;
// Creates or truncates path (binary: the CR LF are written explicitly).
FILE* openOutFile(const char* path);
// Closes outFile; 0 if the data could not be written out.
int closeOutFile();

// 1 if every number the program of the current design would hold is
// finite; else 0, and etchError() names the object at fault.
int checkDesign();
// Writes the whole program to sink. 1 on success; 0 if the design was
// refused or memory ran out (nothing written), or the sink failed
// (generation stops there).
// A tool entry with 0 passes is set to 1 pass in the table.
int etchTo(GcodeSink sink, void* ctx);
// etchTo outFile.
int Etch();
// Writes the program into the file path. The design is checked before the
// file is created, and a plain file whose writing failed is removed, so no
// partial program is left behind (a device written to keeps its name).
// 1 on success, else 0 and etchError().
int writeProgramFile(const char* path);
// Why the last checkDesign, etchTo, Etch or writeProgramFile failed.
const char* etchError();

// Toolpath writers; they write to the sink of the current run, which
// etchTo sets up, or gcodeBegin for writing toolpaths on their own.
void gcodeBegin(GcodeSink sink, void* ctx);
// Flushes the text; 1 if the sink took all of it.
int gcodeEnd();
// Outline through (x1, y1), (x1, y2), (x2, y2), (x2, y1), back to (x1, y1).
void rectangle(double x1, double y1, double x2, double y2, double depth);
// Counter-clockwise polygon of chords about 0.5 mm of arc long.
void circle(double cx, double cy, double radius, double depth);
