#pragma once

// Starting a print job. Qt only warns on the console when a printer cannot
// be opened (no printer, an output file that cannot be written); the user
// is told here instead, so a failed job is never taken for a printed one.

class QPainter;
class QPrinter;

// Begins `painter` on `printer`; on failure shows an error box and returns false.
bool BeginPrintJob(QPainter &painter, QPrinter &printer);
