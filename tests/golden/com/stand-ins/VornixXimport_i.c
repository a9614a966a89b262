// Stand-in: the identifiers of the library's type library.
