/* Search index of the reference manual: name, page, keywords, summary,
   identifier of each operator. */
var vornixSearchIndex = [
["count_bits","count_bits.html","","Count the set bits of a value.","count_bits"],
];
