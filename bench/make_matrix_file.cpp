// Writes a matrix data file of Euclidean distances between random points,
// the input of the batch benchmark.
//   make_matrix_file OUTPUT [OBJECTS=1000] [SEED=1] [DIMENSIONS=4]
#include "platform/core/TextFile.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <random>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 5) {
        std::fprintf(stderr, "usage: make_matrix_file OUTPUT [OBJECTS=1000] [SEED=1] [DIMENSIONS=4]\n");
        return 2;
    }
    const int objects = argc > 2 ? std::atoi(argv[2]) : 1000;
    const unsigned seed = argc > 3 ? static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)) : 1;
    const int dimensions = argc > 4 ? std::atoi(argv[4]) : 4;
    if (objects < 0 || dimensions < 1) {
        std::fprintf(stderr, "make_matrix_file: bad object or dimension count\n");
        return 2;
    }
    try {
        std::mt19937_64 random(seed);
        std::uniform_real_distribution<double> coordinate(0.0, 100.0);
        std::vector<double> points(static_cast<std::size_t>(objects) * dimensions);
        for (double& value : points)
            value = coordinate(random);

        vantrel::TextFileWriter out(argv[1]);
        out.WriteLine(std::to_string(objects));
        for (int i = 1; i <= objects; ++i)
            out.WriteLine("P" + std::to_string(i));
        char text[64];
        for (int i = 2; i <= objects; ++i) {
            for (int j = 1; j < i; ++j) {
                double sum = 0.0;
                for (int d = 0; d < dimensions; ++d) {
                    const double delta = points[(i - 1) * dimensions + d] - points[(j - 1) * dimensions + d];
                    sum += delta * delta;
                }
                const int length = std::snprintf(text, sizeof text, "%.10g", std::sqrt(sum));
                out.WriteLine(std::string_view(text, static_cast<std::size_t>(length)));
            }
        }
        out.Close();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_matrix_file: %s\n", error.what());
        return 1;
    }
    return 0;
}
