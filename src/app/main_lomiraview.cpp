#include "app/run.h"

int main(int argc, char** argv) { return runProgram(argc, argv, Edition::students()); }
