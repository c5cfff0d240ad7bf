#include "editor/RunProgram.h"
#include "heron/HeronFamily.h"

int main(int argc, char *argv[])
{
    return RunEditorProgram(argc, argv, HeronFamily);
}
