# Extracts the provinces and territories of Canada and the states of Australia from
# Natural Earth's 1:50m first-level divisions, as shipped (public domain) by Debian's
# r-cran-rnaturalearthdata, into data/provinces.json. Needs r-base-core and r-cran-sp.
#
# Rscript extract-provinces.R [rnaturalearthdata folder]
suppressMessages(library(sp))
args <- commandArgs(trailingOnly = TRUE)
base <- if (length(args) > 0) args[1] else "/usr/lib/R/site-library/rnaturalearthdata"
data <- new.env()
lazyLoad(file.path(base, "data", "Rdata"), envir = data)
states <- data$states50
wanted <- which(states@data$admin %in% c("Australia", "Canada"))
num <- function(v) formatC(round(v, 4), format = "fg", digits = 9)
features <- character(0)
for (i in wanted[order(as.character(states@data$name[wanted]))]) {
    rings <- character(0)
    for (p in states@polygons[[i]]@Polygons) {
        xy <- p@coords
        points <- paste0("[", num(xy[, 1]), ",", num(xy[, 2]), "]", collapse = ",")
        rings <- c(rings, sprintf('{"hole":%s,"coords":[%s]}', tolower(p@hole), points))
    }
    features <- c(features, sprintf('{"name":"%s","country":"%s","rings":[%s]}',
                                    as.character(states@data$name[i]),
                                    as.character(states@data$admin[i]), paste(rings, collapse = ",")))
}
out <- file("data/provinces.json", "w")
writeLines(sprintf('{"source":"Natural Earth 1:50m admin-1, public domain","provinces":[\n%s\n]}',
                   paste(features, collapse = ",\n")), out)
close(out)
