/* Search box of the reference manual: looks the typed words up in the
   names, keywords and short descriptions of search_index.js (loaded on
   first use) and lists the pages found. Needs no server. */
(function () {
  "use strict";
  var box = document.getElementById("search_box");
  var list = document.getElementById("search_results");
  if (!box || !list) return;
  var language = (document.documentElement.lang || "").slice(0, 2);
  box.placeholder = language === "de" ? "Suchen" : language === "ja" ? "\u691c\u7d22" : "Search";
  box.setAttribute("aria-label", box.placeholder);
  var loading = false;
  function load(then) {
    if (window.vornixSearchIndex) { then(); return; }
    if (loading) return;
    loading = true;
    var script = document.createElement("script");
    script.src = "search_index.js";
    script.onload = function () { loading = false; then(); };
    script.onerror = function () { loading = false; };
    document.head.appendChild(script);
  }
  /* entry: name, page, keywords, summary, identifier; 0 when a word is missing */
  function score(entry, words) {
    var total = 0;
    var name = entry[0].toLowerCase(), id = entry[4].toLowerCase();
    var keywords = entry[2].toLowerCase(), summary = entry[3].toLowerCase();
    for (var i = 0; i < words.length; i++) {
      var w = words[i];
      if (name === w || id === w) total += 100;
      else if (name.indexOf(w) === 0 || id.indexOf(w) === 0) total += 50;
      else if (name.indexOf(w) >= 0 || id.indexOf(w) >= 0) total += 20;
      else if (keywords.indexOf(w) >= 0) total += 10;
      else if (summary.indexOf(w) >= 0) total += 1;
      else return 0;
    }
    return total;
  }
  function show() {
    while (list.firstChild) list.removeChild(list.firstChild);
    var words = box.value.toLowerCase().split(/\s+/).filter(function (w) { return w !== ""; });
    if (words.length === 0 || !window.vornixSearchIndex) return;
    var found = [];
    window.vornixSearchIndex.forEach(function (entry) {
      var s = score(entry, words);
      if (s > 0) found.push([s, entry]);
    });
    found.sort(function (a, b) {
      return b[0] - a[0] || (a[1][0] < b[1][0] ? -1 : a[1][0] > b[1][0] ? 1 : 0);
    });
    found.slice(0, 30).forEach(function (f) {
      var item = document.createElement("li");
      var link = document.createElement("a");
      link.href = f[1][1];
      link.textContent = f[1][0];
      item.appendChild(link);
      if (f[1][3] !== "") item.appendChild(document.createTextNode(" \u2014 " + f[1][3]));
      list.appendChild(item);
    });
  }
  box.addEventListener("input", function () { load(show); });
  box.addEventListener("keydown", function (event) {
    if (event.key === "Enter" && list.firstChild) {
      event.preventDefault();
      window.location.href = list.firstChild.firstChild.href;
    }
  });
  if (box.value !== "") load(show);
})();
