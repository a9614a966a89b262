<?xml version="1.0" encoding="UTF-8"?>
<!-- si_toc_html.xsl: table of contents, name index, legal notes and chapter pages (HTML)
     Part of the reference manual of the operator compiler vornc; carried
     inside the program and extracted into the working directory when used. -->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:v="urn:vornc:manual"
    exclude-result-prefixes="v">
  <xsl:output method="html" encoding="UTF-8" doctype-system="about:legacy-compat" indent="no"/>
  <!-- The table of contents (the main result), and beside it the name
       index, the legal notes and one page per chapter. -->
  <xsl:variable name="manual_title">
    <xsl:value-of select="concat($interface_title, ' ')"/>
    <xsl:call-template name="phrase"><xsl:with-param name="id" select="'title_manual'"/></xsl:call-template>
  </xsl:variable>

  <xsl:template match="/">
    <xsl:apply-templates select="toc"/>
  </xsl:template>

  <xsl:template match="toc">
    <html lang="{$language_rfc3066}">
      <xsl:call-template name="page_head"><xsl:with-param name="title" select="$manual_title"/></xsl:call-template>
      <body>
        <xsl:call-template name="navigation_bar"/>
        <h1><xsl:value-of select="$manual_title"/></h1>
        <xsl:if test="string($doc_element/@author) != ''">
          <p class="author"><xsl:value-of select="$doc_element/@author"/></p>
        </xsl:if>
        <h2><xsl:call-template name="phrase"><xsl:with-param name="id" select="'title_toc'"/></xsl:call-template></h2>
        <xsl:if test="chapter">
          <ul class="toc"><xsl:apply-templates select="chapter" mode="tree"/></ul>
        </xsl:if>
        <xsl:call-template name="page_footer"/>
      </body>
    </html>
    <xsl:call-template name="name_index"/>
    <xsl:call-template name="legal_notes"/>
    <xsl:apply-templates select="//chapter" mode="page"/>
  </xsl:template>

  <!-- identifier path of a chapter, joined by underscores -->
  <xsl:template name="chapter_ids">
    <xsl:for-each select="ancestor-or-self::chapter">
      <xsl:if test="position() &gt; 1">_</xsl:if>
      <xsl:value-of select="@id"/>
    </xsl:for-each>
  </xsl:template>
  <xsl:template name="chapter_link">
    <xsl:variable name="ids"><xsl:call-template name="chapter_ids"/></xsl:variable>
    <xsl:variable name="file"><xsl:call-template name="chapter_file"><xsl:with-param name="ids" select="$ids"/></xsl:call-template></xsl:variable>
    <a href="{$file}"><xsl:value-of select="@name"/></a>
  </xsl:template>

  <xsl:template match="chapter" mode="tree">
    <li>
      <xsl:call-template name="chapter_link"/>
      <xsl:if test="chapter">
        <ul><xsl:apply-templates select="chapter" mode="tree"/></ul>
      </xsl:if>
    </li>
  </xsl:template>

  <!-- one page per chapter: description, sub-chapters, operators -->
  <xsl:template match="chapter" mode="page">
    <xsl:variable name="ids"><xsl:call-template name="chapter_ids"/></xsl:variable>
    <xsl:variable name="file"><xsl:call-template name="chapter_file"><xsl:with-param name="ids" select="$ids"/></xsl:call-template></xsl:variable>
    <xsl:variable name="title">
      <xsl:call-template name="phrase"><xsl:with-param name="id" select="'title_chapter_prefix'"/></xsl:call-template>
      <xsl:for-each select="ancestor-or-self::chapter">
        <xsl:if test="position() &gt; 1"> / </xsl:if>
        <xsl:value-of select="@name"/>
      </xsl:for-each>
      <xsl:call-template name="phrase"><xsl:with-param name="id" select="'title_chapter_suffix'"/></xsl:call-template>
    </xsl:variable>
    <xsl:document href="{concat($output_dir, $file)}" method="html" encoding="UTF-8" doctype-system="about:legacy-compat" indent="no">
      <html lang="{$language_rfc3066}">
        <xsl:call-template name="page_head"><xsl:with-param name="title" select="$title"/></xsl:call-template>
        <body>
          <xsl:call-template name="navigation_bar"/>
          <div class="chapters">
            <xsl:for-each select="ancestor::chapter">
              <xsl:call-template name="chapter_link"/>
              <xsl:text> / </xsl:text>
            </xsl:for-each>
          </div>
          <h1><xsl:value-of select="$title"/></h1>
          <xsl:for-each select="description">
            <div class="text">
              <xsl:choose>
                <xsl:when test="p"><xsl:apply-templates/></xsl:when>
                <xsl:otherwise><p><xsl:apply-templates/></p></xsl:otherwise>
              </xsl:choose>
            </div>
          </xsl:for-each>
          <xsl:if test="chapter">
            <h2><xsl:call-template name="phrase"><xsl:with-param name="id" select="'title_sectionlist'"/></xsl:call-template></h2>
            <ul class="toc">
              <xsl:for-each select="chapter"><li><xsl:call-template name="chapter_link"/></li></xsl:for-each>
            </ul>
          </xsl:if>
          <xsl:if test="operator">
            <h2>
              <xsl:call-template name="phrase">
                <xsl:with-param name="id">
                  <xsl:choose>
                    <xsl:when test="$file_prefix = 'proc_'">term_procedures</xsl:when>
                    <xsl:otherwise>title_operatorlist</xsl:otherwise>
                  </xsl:choose>
                </xsl:with-param>
              </xsl:call-template>
            </h2>
            <table class="operators">
              <xsl:apply-templates select="operator" mode="row"/>
            </table>
          </xsl:if>
          <xsl:call-template name="page_footer"/>
        </body>
      </html>
    </xsl:document>
  </xsl:template>

  <xsl:template match="operator" mode="row">
    <tr>
      <td><a href="{concat(@id, $page_suffix)}"><code><xsl:call-template name="syntax_text"/></code></a></td>
      <td><xsl:apply-templates select="summary/node()"/></td>
    </tr>
  </xsl:template>

  <!-- every operator once, by name -->
  <xsl:template name="name_index">
    <!-- a manual of procedures (proc="yes") names its index accordingly -->
    <xsl:variable name="title">
      <xsl:call-template name="phrase">
        <xsl:with-param name="id">
          <xsl:choose>
            <xsl:when test="$file_prefix = 'proc_'">title_procedureindex</xsl:when>
            <xsl:otherwise>title_operatorindex</xsl:otherwise>
          </xsl:choose>
        </xsl:with-param>
      </xsl:call-template>
    </xsl:variable>
    <xsl:document href="{concat($output_dir, $file_index_by_name)}" method="html" encoding="UTF-8" doctype-system="about:legacy-compat" indent="no">
      <html lang="{$language_rfc3066}">
        <xsl:call-template name="page_head"><xsl:with-param name="title" select="$title"/></xsl:call-template>
        <body>
          <xsl:call-template name="navigation_bar"/>
          <h1><xsl:value-of select="$title"/></h1>
          <table class="operators">
            <xsl:for-each select="//operator[generate-id() = generate-id(key('operator_by_id', @id)[1])]">
              <xsl:sort select="@id"/>
              <xsl:apply-templates select="." mode="row"/>
            </xsl:for-each>
          </table>
          <xsl:call-template name="page_footer"/>
        </body>
      </html>
    </xsl:document>
  </xsl:template>

  <xsl:template name="legal_notes">
    <xsl:variable name="title"><xsl:call-template name="phrase"><xsl:with-param name="id" select="'text_more_information'"/></xsl:call-template></xsl:variable>
    <xsl:document href="{concat($output_dir, $file_legal_notes)}" method="html" encoding="UTF-8" doctype-system="about:legacy-compat" indent="no">
      <html lang="{$language_rfc3066}">
        <xsl:call-template name="page_head"><xsl:with-param name="title" select="$title"/></xsl:call-template>
        <body>
          <xsl:call-template name="navigation_bar"/>
          <h1><xsl:value-of select="$title"/></h1>
          <p>
            <xsl:call-template name="phrase"><xsl:with-param name="id" select="'text_toolkit'"/></xsl:call-template>
            <xsl:text>, </xsl:text>
            <xsl:call-template name="phrase"><xsl:with-param name="id" select="'term_version'"/></xsl:call-template>
            <xsl:value-of select="concat(' ', $doc_element/@version)"/>
          </p>
          <p>
            <xsl:call-template name="phrase"><xsl:with-param name="id" select="'text_copyright'"/></xsl:call-template>
            <xsl:text> &#169; </xsl:text>
            <xsl:choose>
              <xsl:when test="$doc_element/@system = 'false' and string($doc_element/@copyright) != ''"><xsl:value-of select="$doc_element/@copyright"/></xsl:when>
              <xsl:otherwise><xsl:call-template name="phrase"><xsl:with-param name="id" select="'text_copyright_holder'"/></xsl:call-template></xsl:otherwise>
            </xsl:choose>
          </p>
          <xsl:if test="string($doc_element/@url) != ''">
            <p><a href="{$doc_element/@url}"><xsl:value-of select="$doc_element/@url"/></a></p>
          </xsl:if>
          <p><xsl:call-template name="phrase"><xsl:with-param name="id" select="'legal_note'"/></xsl:call-template></p>
          <ul class="trademarks">
            <xsl:for-each select="$stylesheet_document/*/v:phrases/v:phrase[starts-with(@id, 'text_trademark_')]">
              <li><xsl:call-template name="phrase"><xsl:with-param name="id" select="@id"/></xsl:call-template></li>
            </xsl:for-each>
          </ul>
          <xsl:call-template name="page_footer"/>
        </body>
      </html>
    </xsl:document>
  </xsl:template>

  <!-- common block: common.xsl -->

  <!-- The first operator element of each id, for lists that name every
       operator once. (Here, not in the common block: every key is built over
       each document it is used in.) -->
  <xsl:key name="operator_by_id" match="operator" use="@id"/>

  <!-- ============ Markup of the documentation texts (HTML) ============ -->
  <xsl:param name="formula_mode" select="'svg'"/>
  <xsl:param name="figure_mode" select="'svg'"/>
  <xsl:param name="imagedir" select="'images/'"/>
  <!-- The SVG files found in the image folder, as "|name|name|": a formula
       or figure whose file is not there shows its text or its name instead
       of a broken image. "*" (the default) takes every file as there. -->
  <xsl:param name="svg_images" select="'*'"/>

  <!-- A paragraph that holds block content becomes a division, so that the
       page stays valid HTML. -->
  <xsl:template match="p">
    <xsl:if test="@title">
      <h4 class="paragraph"><xsl:value-of select="@title"/></h4>
    </xsl:if>
    <xsl:choose>
      <xsl:when test="not(*) and normalize-space(.) = ''"/>
      <xsl:when test="table | ul | ol | dl | details | figure | alignment | format/ascii[@preformatted = 'true'] | format/formula | p">
        <div class="p"><xsl:apply-templates/></div>
      </xsl:when>
      <xsl:otherwise><p><xsl:apply-templates/></p></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="b"><b><xsl:apply-templates/></b></xsl:template>
  <xsl:template match="i"><i><xsl:apply-templates/></i></xsl:template>
  <xsl:template match="em"><em><xsl:apply-templates/></em></xsl:template>
  <xsl:template match="mono"><code><xsl:apply-templates/></code></xsl:template>
  <xsl:template match="br"><br/></xsl:template>
  <xsl:template match="backslash">\</xsl:template>
  <xsl:template match="ul"><ul><xsl:apply-templates/></ul></xsl:template>
  <xsl:template match="ol"><ol><xsl:apply-templates/></ol></xsl:template>
  <xsl:template match="li"><li><xsl:apply-templates/></li></xsl:template>
  <xsl:template match="dl"><dl><xsl:apply-templates/></dl></xsl:template>
  <xsl:template match="dt"><dt><xsl:apply-templates/></dt></xsl:template>
  <xsl:template match="dd"><dd><xsl:apply-templates/></dd></xsl:template>
  <xsl:template match="details"><div class="details"><xsl:apply-templates/></div></xsl:template>
  <xsl:template match="detailssummary"><div class="details_summary"><xsl:apply-templates/></div></xsl:template>
  <xsl:template match="alignment">
    <div style="text-align: {@halign}"><xsl:apply-templates/></div>
  </xsl:template>
  <xsl:template match="external">
    <xsl:variable name="url"><xsl:call-template name="safe_link_target"><xsl:with-param name="url" select="@url"/></xsl:call-template></xsl:variable>
    <xsl:choose>
      <xsl:when test="$url != ''"><a href="{$url}" class="external"><xsl:apply-templates/></a></xsl:when>
      <xsl:otherwise><xsl:apply-templates/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="trademark">
    <span class="trademark"><xsl:call-template name="trademark_text"/></span>
  </xsl:template>
  <xsl:template match="resultstate">
    <code class="resultstate"><xsl:call-template name="resultstate_text"/></code>
  </xsl:template>
  <xsl:template match="list_param_attention | list_param_restriction | list_default_value | list_value_list | list_value_range | list_value_suggestion">
    <xsl:variable name="id"><xsl:call-template name="list_heading_phrase"/></xsl:variable>
    <b><xsl:call-template name="phrase"><xsl:with-param name="id" select="$id"/></xsl:call-template></b>
  </xsl:template>

  <!-- Chapter references: nested elements form the chapter path; the
       outermost one writes the whole link. -->
  <xsl:template match="chapref">
    <xsl:variable name="chain" select="descendant-or-self::chapref"/>
    <xsl:variable name="ids">
      <xsl:for-each select="$chain">
        <xsl:if test="position() &gt; 1">_</xsl:if>
        <xsl:value-of select="@id"/>
      </xsl:for-each>
    </xsl:variable>
    <xsl:variable name="file">
      <xsl:call-template name="chapter_file"><xsl:with-param name="ids" select="$ids"/></xsl:call-template>
    </xsl:variable>
    <a href="{$file}" class="chapref">
      <xsl:for-each select="$chain">
        <xsl:if test="position() &gt; 1"> / </xsl:if>
        <xsl:value-of select="@name"/>
      </xsl:for-each>
    </a>
  </xsl:template>
  <xsl:template match="opref">
    <a href="{concat(@id, $page_suffix)}" class="opref"><code><xsl:call-template name="syntax_text"/></code></a>
  </xsl:template>
  <!-- on an operator page a parameter reference links its description -->
  <xsl:template match="parref">
    <xsl:choose>
      <xsl:when test="/operator/parameters/parameter[@id = current()/@id]">
        <a href="{concat('#parameter_', @id)}" class="parref"><code><i><xsl:call-template name="syntax_text"/></i></code></a>
      </xsl:when>
      <xsl:otherwise><code class="parref"><i><xsl:call-template name="syntax_text"/></i></code></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="parname">
    <code class="parname"><xsl:call-template name="syntax_text"/></code>
  </xsl:template>
  <xsl:template match="valref">
    <code class="valref"><xsl:call-template name="syntax_text"/></code>
  </xsl:template>
  <!-- A syntax element on its own writes its text; the elements that hold
       several of them pick one through syntax_text. -->
  <xsl:template match="syntax"><xsl:apply-templates/></xsl:template>

  <!-- Format blocks: HTML shows the ASCII part, else the formula. -->
  <xsl:template match="format">
    <xsl:choose>
      <xsl:when test="ascii"><xsl:apply-templates select="ascii"/></xsl:when>
      <xsl:otherwise><xsl:apply-templates select="formula"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="ascii">
    <xsl:choose>
      <xsl:when test="@preformatted = 'true'"><pre><xsl:apply-templates/></pre></xsl:when>
      <xsl:otherwise><span class="ascii"><xsl:apply-templates/></span></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="latex"/>
  <xsl:template match="formula">
    <xsl:choose>
      <xsl:when test="$formula_mode = 'svg' and ($svg_images = '*' or contains($svg_images, concat('|', /*/@id, '_formula_', count(preceding::formula) + 1, '.svg|')))">
        <xsl:variable name="number" select="count(preceding::formula) + 1"/>
        <div class="formula"><img src="{concat($imagedir, /*/@id, '_formula_', $number, '.svg')}" alt="{normalize-space(.)}"/></div>
      </xsl:when>
      <xsl:otherwise><div class="formula"><code><xsl:value-of select="."/></code></div></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="inline_formula"><i class="formula"><xsl:value-of select="."/></i></xsl:template>
  <xsl:template match="figure">
    <xsl:choose>
      <xsl:when test="$figure_mode = 'svg' and ($svg_images = '*' or contains($svg_images, concat('|', @prefix, '.svg|')))">
        <div class="figure">
          <img src="{concat($imagedir, @prefix, '.svg')}" alt="{@prefix}">
            <xsl:if test="@scale"><xsl:attribute name="style">width: <xsl:value-of select="@scale * 100"/>%</xsl:attribute></xsl:if>
          </img>
          <xsl:apply-templates/>
        </div>
      </xsl:when>
      <xsl:otherwise>
        <div class="figure"><span class="figure_file"><xsl:value-of select="@prefix"/></span><xsl:apply-templates/></div>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- Tables: the tc elements give the alignment of each column; a last row
       left open by a final line break stays out. -->
  <xsl:template match="table">
    <table class="{concat('markup ', @style)}">
      <xsl:apply-templates select="tr[not(position() = last() and not(normalize-space(.)) and not(*/*))]"/>
    </table>
  </xsl:template>
  <xsl:template match="tc"/>
  <xsl:template match="tr"><tr><xsl:apply-templates select="td"/></tr></xsl:template>
  <xsl:template match="td">
    <xsl:variable name="column" select="count(preceding-sibling::td) + 1"/>
    <xsl:variable name="spec" select="ancestor::table[1]/tc[$column]"/>
    <td>
      <xsl:if test="$spec/@align"><xsl:attribute name="style">text-align: <xsl:value-of select="$spec/@align"/><xsl:if test="$spec/@width">; width: <xsl:value-of select="$spec/@width"/>em</xsl:if></xsl:attribute></xsl:if>
      <xsl:apply-templates/>
    </td>
  </xsl:template>

  <!-- Page head and navigation shared by all pages. -->
  <xsl:template name="page_head">
    <xsl:param name="title"/>
    <head>
      
      <title><xsl:value-of select="$title"/></title>
      <style>
        body { font-family: sans-serif; margin: 1em 2em; }
        div.bar { border-bottom: 1px solid #888; padding: 0.3em 0; margin-bottom: 1em; }
        div.bar a { margin-right: 1.5em; }
        table.markup td, table.params td { padding: 0.1em 0.6em; vertical-align: top; }
        pre, code { font-family: monospace; }
        div.signature { font-family: monospace; margin: 0.3em 0 0.3em 1em; }
        div.footer { border-top: 1px solid #888; margin-top: 2em; font-size: smaller; }
        span.search { position: relative; float: right; }
        ul#search_results { position: absolute; right: 0; z-index: 1; width: 32em; margin: 0; padding: 0; list-style: none; background: #fff; }
        ul#search_results li { padding: 0.2em 0.5em; border: 1px solid #ccc; border-top: none; }
      </style>
    </head>
  </xsl:template>
  <xsl:template name="navigation_bar">
    <div class="bar">
      <a href="{$file_index}"><xsl:call-template name="phrase"><xsl:with-param name="id" select="'title_toc'"/></xsl:call-template></a>
      <a href="{$file_index_by_name}"><xsl:call-template name="phrase"><xsl:with-param name="id" select="'title_operatorindex'"/></xsl:call-template></a>
      <a href="{$file_index_classes}"><xsl:call-template name="phrase"><xsl:with-param name="id" select="'title_classindex'"/></xsl:call-template></a>
      <!-- the search box: search.js (written beside the pages) fills the
           list from search_index.js -->
      <span class="search"><input type="search" id="search_box" autocomplete="off"/><ul id="search_results"></ul></span>
    </div>
    <script src="search.js"></script>
  </xsl:template>
  <xsl:template name="page_footer">
    <div class="footer">
      <xsl:call-template name="phrase"><xsl:with-param name="id" select="'text_copyright'"/></xsl:call-template>
      <xsl:text> </xsl:text>
      <xsl:choose>
        <xsl:when test="string($doc_element/@copyright) != ''"><xsl:value-of select="$doc_element/@copyright"/></xsl:when>
        <xsl:otherwise><xsl:call-template name="phrase"><xsl:with-param name="id" select="'text_copyright_holder'"/></xsl:call-template></xsl:otherwise>
      </xsl:choose>
      <xsl:if test="string($doc_element/@version) != ''">
        <xsl:text> | </xsl:text>
        <xsl:call-template name="phrase"><xsl:with-param name="id" select="'term_version'"/></xsl:call-template>
        <xsl:value-of select="concat(' ', $doc_element/@version)"/>
      </xsl:if>
      <xsl:text> | </xsl:text>
      <a href="{$file_legal_notes}"><xsl:call-template name="phrase"><xsl:with-param name="id" select="'text_more_information'"/></xsl:call-template></a>
    </div>
  </xsl:template>
  <!-- ================== end of the HTML markup ================== -->
</xsl:stylesheet>
