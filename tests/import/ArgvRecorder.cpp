// A stand-in for the front end in the project tests: writes its argument vector, one entry
// per line, to "argv.txt" in the working directory, writes a small front-end document (fewer
// than 100 bytes) to the file named by -fxml=, prints a line on standard output and exits
// with status 3.
#include <cstdio>
#include <cstring>
#include <fstream>

int main(int argc, char** argv) {
    std::ofstream recorded("argv.txt");
    for (int i = 0; i < argc; ++i)
        recorded << argv[i] << '\n';
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "-fxml=", 6) == 0) {
            std::ofstream output(argv[i] + 6);
            output << "<GCC_XML><Namespace id=\"_1\" name=\"::\"/></GCC_XML>\n";
        }
    }
    std::printf("front end on standard output\n");
    return 3;
}
