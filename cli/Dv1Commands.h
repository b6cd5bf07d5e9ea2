#pragma once
// The D.V.1 side of the commands that take either kind of document: a file named ".fdv" is a
// D.V.1 as in the program, any other file is one when it carries the D.V.1 signature.

#include <string>

namespace tarvex::cli {

struct RenderArgs;
struct PdfArgs;

// True for a ".fdv" name (any case) and for a file that begins with the signature of a D.V.1
// file of any version.
bool IsFdvFile(const std::string& file);
int DumpFdv(const std::string& file);
int ConvertFdv(const std::string& in, const std::string& out);

// layout dv1, render and pdf of a D.V.1 file (Dv1PageCommands.cpp).
int LayoutDv1();
int RenderDv1(const RenderArgs& args);
int PdfDv1(const PdfArgs& args);

}  // namespace tarvex::cli
