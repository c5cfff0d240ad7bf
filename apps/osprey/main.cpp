#include "editor/RunProgram.h"
#include "osprey/OspreyFamily.h"

int main(int argc, char *argv[])
{
    return RunEditorProgram(argc, argv, OspreyFamily);
}
